#include "reference/products_list_window.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/data_module.h"
#include "db/reserved_ids.h"
#include "journal/journal_window.h"
#include "platform/app_seams.h"
#include "platform/dialogs.h"
#include "platform/edit_keys.h"
#include "platform/number_text.h"
#include "reference/price_edit_window.h"
#include "reference/product_edit_window.h"

using platform::TADOQuery;

TForm3* Form3 = nullptr;

namespace {

// The per-piece factor as the edit box shows it: a decimal point and up to six places,
// never an exponent, so that the box holds a number the save accepts as typed.
QString MassaText(const platform::TField& massa) {
  return massa.IsNull() ? QString() : platform::FixedText(massa.AsFloat(), 0, 6);
}

int AskDelete(const QString& question) {
  return platform::MessageDlg(question, QStringLiteral("Удаление"), platform::MsgIcon::Question,
                              platform::mbYes | platform::mbNo);
}

void Delete(const QString& statement) {
  DataModule6->DelSmena->SetCommandText(statement);
  DataModule6->DelSmena->Execute();
}

}  // namespace

TForm3::TForm3(QWidget* parent) : TForm(parent) {
  setWindowTitle(QStringLiteral("Изделия (3)"));
  Izdel_Smena = new TADOQuery(
      this, QStringLiteral("select count(*) as cnt from accounts_dep.smena s where s.i_id =:id_ii and s.\"data\">=:dt"));
  ii_oper = new TADOQuery(this, QStringLiteral("select count(*) as cnt from accounts_dep.oper o where o.i_id =:id_ii"));
  CreateLayout();
}

TForm3::~TForm3() {
  if (Form3 == this) Form3 = nullptr;
}

void TForm3::CreateLayout() {
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(6, 6, 6, 6);

  DBGrid1 = new platform::TDBGrid(this);
  DBGrid1->SetColumns({
      {"marka", QStringLiteral("Марка изделия"), 250},
      {"nom", QStringLiteral("Номенклатурная группа"), 240},
      {"massa", QStringLiteral("Коробки"), 80},
  });
  if (DataModule6) DBGrid1->SetDataSet(DataModule6->Izdel);
  connect(DBGrid1, &platform::TDBGrid::DblClick, this, platform::Guarded(this, &TForm3::DBGrid1DblClick));
  root->addWidget(DBGrid1, 1);

  Edit1 = new QLineEdit(this);
  connect(Edit1, &QLineEdit::textChanged, this, platform::Guarded(this, &TForm3::Edit1Change));
  platform::SetKeyDownHandler(Edit1, [this](int key) {
    bool consumed = false;
    platform::RunGuarded([&] { consumed = Edit1KeyDown(key); });
    return consumed;
  });
  root->addWidget(Edit1);

  auto* buttons = new QHBoxLayout();
  Button1 = platform::AddButton(buttons, this, QStringLiteral("Добавить"), &TForm3::Button1Click);
  Button2 = platform::AddButton(buttons, this, QStringLiteral("Изменить"), &TForm3::Button2Click);
  Button3 = platform::AddButton(buttons, this, QStringLiteral("Удалить"), &TForm3::Button3Click);
  buttons->addStretch(1);
  Button4 = platform::AddButton(buttons, this, QStringLiteral("Выход"), &TForm3::Button4Click);
  root->addLayout(buttons);

  setFixedSize(620, 520);
}

void TForm3::showEvent(QShowEvent* event) {
  // Centred on the main window.
  if (Form1) move(Form1->frameGeometry().center() - rect().center());
  TForm::showEvent(event);
}

QDate TForm3::JournalCountFrom(const QDate& today) {
  int m = today.month();
  if (m == 1) m = 13;
  return QDate::fromString(QStringLiteral("01.%1.2000").arg(m - 1), QStringLiteral("dd.M.yyyy"));
}

void TForm3::FormActivate() {
  if (!Edit1->isHidden()) Edit1->setFocus();
}

void TForm3::Edit1Change() {
  DataModule6->Izdel->SearchByPrefix(QStringLiteral("marka"), Edit1->text());
}

bool TForm3::Edit1KeyDown(int key) {
  if (key == Qt::Key_Up) {
    DataModule6->Izdel->Prior();
    return true;
  }
  if (key == Qt::Key_Down) {
    DataModule6->Izdel->Next();
    return true;
  }
  return false;
}

void TForm3::Button1Click() {
  TADOQuery* q = DataModule6->Izdel;
  const int recNo = q->RecNo();
  Form7->Edit1->clear();
  Form7->Edit2->clear();
  Form7->setWindowTitle(QStringLiteral("Заведение нового изделия (7)"));
  Form7->Tag = 1;
  Form7->item->Open();
  Form7->ShowModal();
  Form7->item->Close();
  q->SetRecNo(recNo);
}

void TForm3::Button2Click() {
  TADOQuery* q = DataModule6->Izdel;
  if (!q->Active() || q->IsEmpty()) return;
  const qlonglong id = q->FieldByName(QStringLiteral("id")).AsLargeInt();
  if (reserved::IsHourlyWork(id)) return;
  const int recNo = q->RecNo();
  const QString marka = q->FieldByName(QStringLiteral("marka")).AsString().trimmed();
  if (Tag == 0) {
    Form7->setWindowTitle(QStringLiteral("Изменение данных изделия (7)"));
    Form7->Tag = 2;
    Form7->Edit1->setText(marka);
    Form7->Edit2->setText(MassaText(q->FieldByName(QStringLiteral("massa"))));
    Form7->item->Open();
    Form7->cb_item->SetKeyValue(q->FieldByName(QStringLiteral("id_class_item")).Value());
    Form7->ShowModal();
  } else if (Tag == 1) {
    Form10->Edit1->setText(marka);
    Form10->sel_i_id = id;
    Close(platform::mrOk);
  }
  Form7->item->Close();
  q->SetRecNo(recNo);
}

void TForm3::DBGrid1DblClick() { Button2Click(); }

void TForm3::Button3Click() {
  TADOQuery* q = DataModule6->Izdel;
  if (!q->Active() || q->IsEmpty()) return;
  const qlonglong id = q->FieldByName(QStringLiteral("id")).AsLargeInt();
  if (reserved::IsHourlyWork(id)) return;
  const QString key = QString::number(id);

  Izdel_Smena->Close();
  Izdel_Smena->ParamByName(QStringLiteral("id_ii"))->Value = id;
  Izdel_Smena->ParamByName(QStringLiteral("dt"))->Value = JournalCountFrom(QDate::currentDate());
  Izdel_Smena->Open();
  const int positions = Izdel_Smena->FieldByName(QStringLiteral("cnt")).AsInteger();
  Izdel_Smena->Close();
  ii_oper->Close();
  ii_oper->ParamByName(QStringLiteral("id_ii"))->Value = id;
  ii_oper->Open();
  const int prices = ii_oper->FieldByName(QStringLiteral("cnt")).AsInteger();
  ii_oper->Close();

  if (prices > 0 && AskDelete(QStringLiteral("По изделию есть расценки они будут удалены!!!")) == platform::mrYes)
    Delete(QStringLiteral("delete from accounts_dep.oper o where o.i_id =") + key);

  const QString deleteProduct = QStringLiteral("delete from cmn_gds_and_srv.gds_and_srv  where id=") + key;
  if (positions > 0) {
    if (AskDelete(QStringLiteral("По изделию есть операции в текущем, предыдущем месяцах и ранее, они будут "
                                 "удалены. Удалить изделие? ")) == platform::mrYes) {
      // The positions and the product go together: a journal must not lose the positions
      // of a product that stays.
      platform::TTransaction unit;
      Delete(QStringLiteral("delete from accounts_dep.smena s where s.i_id =") + key);
      Delete(deleteProduct);
      unit.Commit();
    }
  } else if (AskDelete(QStringLiteral("Удалить изделие? ")) == platform::mrYes) {
    Delete(deleteProduct);
  }

  q->Close();
  q->Open();
}

void TForm3::Button4Click() { Close(platform::mrCancel); }
