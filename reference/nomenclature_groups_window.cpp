#include "reference/nomenclature_groups_window.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/data_module.h"
#include "hours/hours_entry_window.h"
#include "platform/app_seams.h"
#include "platform/dialogs.h"
#include "platform/edit_keys.h"
#include "reference/nomenclature_group_edit_window.h"

TForm26* Form26 = nullptr;

namespace {
constexpr int kCaptionWidth = 380;
constexpr int kExcludedWidth = 130;
// The window is as wide as the grid with both columns; the picker drops the second.
constexpr int kWideWidth = 560;
constexpr int kHeight = 520;
}  // namespace

TForm26::TForm26(QWidget* parent) : TForm(parent) {
  setWindowTitle(QStringLiteral("Номенклатура (26)"));
  // A fixed border with only the close box; placed in the centre of the desktop.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  item = new platform::TADOQuery(
      this, QStringLiteral("select *, case when b_excluded=1  then 'V' else '' end as s_excl from "
                           "cmn_classifier.item where id_level=2 order by s_caption"));
  item_gds = new platform::TADOQuery(
      this, QStringLiteral(
                "select (select count(gds.*) cnt_gds from cmn_gds_and_srv.gds_and_srv gds where gds.id_class_item = "
                ":id_nom3), (select count(f.*) cnt_f from accounts_dep.fatigue f where f.id_nom = :id_nom1), "
                "(select count(s.*) cnt_s from accounts_dep.smena s,cmn_gds_and_srv.gds_and_srv gds where gds.id = "
                "s.i_id and gds.id_class_item = :id_nom2)"));
  CreateLayout();
}

TForm26::~TForm26() {
  if (Form26 == this) Form26 = nullptr;
}

void TForm26::CreateLayout() {
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(6, 6, 6, 6);

  DBGrid1 = new platform::TDBGrid(this);
  DBGrid1->SetColumns({
      {"s_caption", QStringLiteral("Наименование"), kCaptionWidth},
      {"s_excl", QStringLiteral("Не используется"), kExcludedWidth, Qt::AlignCenter},
  });
  DBGrid1->SetDataSet(item);
  connect(DBGrid1, &platform::TDBGrid::DblClick, this, platform::Guarded(this, &TForm26::DBGrid1DblClick));
  root->addWidget(DBGrid1, 1);

  auto* bottom = new QHBoxLayout();
  Button2 = platform::AddButton(bottom, this, QStringLiteral("Добавить"), &TForm26::Button2Click);
  Button3 = platform::AddButton(bottom, this, QStringLiteral("Изменить"), &TForm26::Button3Click);
  Button1 = platform::AddButton(bottom, this, QStringLiteral("Удалить"), &TForm26::Button1Click);
  Edit1 = new QLineEdit(this);
  Edit1->setMinimumWidth(120);
  connect(Edit1, &QLineEdit::textChanged, this, platform::Guarded(this, &TForm26::Edit1Change));
  platform::SetSearchKeys(
      Edit1, [this] { platform::RunGuarded([this] { Edit1KeyDown(Qt::Key_Up); }); },
      [this] { platform::RunGuarded([this] { Edit1KeyDown(Qt::Key_Down); }); });
  bottom->addWidget(Edit1, 1);
  Button4 = platform::AddButton(bottom, this, QStringLiteral("Выход"), &TForm26::Button4Click);
  root->addLayout(bottom);

  setFixedSize(kWideWidth, kHeight);
}

void TForm26::Edit1Change() {
  // The search replaces whatever filter the list had, the picker's included.
  item->SearchByPrefix(QStringLiteral("s_caption"), Edit1->text());
}

void TForm26::Edit1KeyDown(int key) {
  if (key == Qt::Key_Up) item->Prior();
  if (key == Qt::Key_Down) item->Next();
}

void TForm26::Button2Click() {
  const int recNo = item->RecNo();
  Form29->Edit1->clear();
  Form29->Tag = 1;
  Form29->ShowModal();
  item->SetRecNo(recNo);
}

void TForm26::Button3Click() {
  if (item->IsEmpty()) return;
  const int recNo = item->RecNo();
  if (Tag == 0) {
    Form29->Tag = 2;
    Form29->Edit1->setText(item->FieldByName(QStringLiteral("s_caption")).AsString().trimmed());
    Form29->CheckBox1->setChecked(item->FieldByName(QStringLiteral("b_excluded")).AsInteger() != 0);
    Form29->ShowModal();
  } else if (Tag == 24) {
    Form24->sel_id_nom = item->FieldByName(QStringLiteral("id")).AsLargeInt();
    Form24->Edit2->setText(item->FieldByName(QStringLiteral("s_caption")).AsString());
    Close(platform::mrOk);
  }
  item->SetRecNo(recNo);
}

void TForm26::DBGrid1DblClick() { Button3Click(); }

void TForm26::Button1Click() {
  if (item->IsEmpty()) return;
  const qlonglong id = item->FieldByName(QStringLiteral("id")).AsLargeInt();
  item_gds->Close();
  for (const char* name : {"id_nom1", "id_nom2", "id_nom3"}) item_gds->ParamByName(QLatin1String(name))->Value = id;
  item_gds->Open();
  const int cnt_gds = item_gds->FieldByName(QStringLiteral("cnt_gds")).AsInteger();
  const int cnt_f = item_gds->FieldByName(QStringLiteral("cnt_f")).AsInteger();
  const int cnt_s = item_gds->FieldByName(QStringLiteral("cnt_s")).AsInteger();
  item_gds->Close();
  if (cnt_gds > 0) {
    platform::MessageDlg(QStringLiteral("В номенклатурной группе есть изделия."), QStringLiteral("Удаление"),
                         platform::MsgIcon::Error, platform::mbOK);
    return;
  }
  if (cnt_f > 0 || cnt_s > 0) {
    platform::MessageDlg(QStringLiteral("В номенклатурной группе есть операции."), QStringLiteral("Удаление"),
                         platform::MsgIcon::Error, platform::mbOK);
    return;
  }
  const int answer = platform::MessageDlg(QStringLiteral("Удалить позицию из списка?"), QStringLiteral("Удаление"),
                                          platform::MsgIcon::Question, platform::mbYes | platform::mbNo);
  if (answer == platform::mrYes) {
    DataModule6->DelSmena->SetCommandText(QStringLiteral("DELETE FROM cmn_classifier.item WHERE id=%1").arg(id));
    DataModule6->DelSmena->Execute();
  }
  // Back on the same row number; after the last row was deleted, on the new last row.
  item->Refresh(true);
}

void TForm26::Button4Click() { Close(platform::mrCancel); }

void TForm26::PrepareChooseMode() {
  Tag = 24;
  item->SetFilter(QStringLiteral("b_excluded=0"));
  item->SetFiltered(true);
  Button3->setText(QStringLiteral("Выбрать"));
  Button1->setVisible(false);
  Button2->setVisible(false);
  DBGrid1->SetColumnVisible(QStringLiteral("s_excl"), false);
  setFixedWidth(kWideWidth - kExcludedWidth);
  item->Open();
}

void TForm26::EndChooseMode() {
  Button1->setVisible(true);
  Button2->setVisible(true);
  item->Close();
  DBGrid1->SetColumnVisible(QStringLiteral("s_excl"), true);
  setFixedWidth(kWideWidth);
  item->SetFiltered(false);
}
