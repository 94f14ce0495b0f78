#include "reference/operation_types_window.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "app/data_module.h"
#include "db/reserved_ids.h"
#include "journal/journal_window.h"
#include "platform/app_seams.h"
#include "platform/dialogs.h"
#include "platform/edit_keys.h"
#include "reference/operation_type_edit_window.h"
#include "reference/price_edit_window.h"

TForm8* Form8 = nullptr;

TForm8::TForm8(QWidget* parent) : TForm(parent) {
  setWindowTitle(QStringLiteral("Виды операций (8)"));
  CreateLayout();
  if (DataModule6) {
    // The list writes through its query: the edit window inserts and renames rows of
    // accounts_dep.vid_oper, and deleting removes the current row.
    DataModule6->Vid_oper->SetUpdateTable(QStringLiteral("accounts_dep.vid_oper"), QStringLiteral("id"));
    DBGrid1->SetDataSet(DataModule6->Vid_oper);
  }
}

TForm8::~TForm8() {
  if (Form8 == this) Form8 = nullptr;
}

void TForm8::CreateLayout() {
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(6, 6, 6, 6);

  DBGrid1 = new platform::TDBGrid(this);
  DBGrid1->SetColumns({{"vid", QStringLiteral("Операции"), 350}});
  connect(DBGrid1, &platform::TDBGrid::DblClick, this, platform::Guarded(this, &TForm8::DBGrid1DblClick));
  root->addWidget(DBGrid1, 1);

  Edit1 = new QLineEdit(this);
  Edit1->setVisible(false);
  connect(Edit1, &QLineEdit::textChanged, this, platform::Guarded(this, &TForm8::Edit1Change));
  platform::SetSearchKeys(
      Edit1, [this] { platform::RunGuarded([this] { Edit1KeyDown(Qt::Key_Up); }); },
      [this] { platform::RunGuarded([this] { Edit1KeyDown(Qt::Key_Down); }); });
  root->addWidget(Edit1);

  auto* bottom = new QHBoxLayout();
  Button1 = platform::AddButton(bottom, this, QStringLiteral("Добавить"), &TForm8::Button1Click);
  Button2 = platform::AddButton(bottom, this, QStringLiteral("Изменить"), &TForm8::Button2Click);
  Button3 = platform::AddButton(bottom, this, QStringLiteral("Удалить"), &TForm8::Button3Click);
  bottom->addStretch(1);
  Button4 = platform::AddButton(bottom, this, QStringLiteral("Выход"), &TForm8::Button4Click);
  root->addLayout(bottom);

  resize(400, 480);
}

void TForm8::showEvent(QShowEvent* event) {
  TForm::showEvent(event);
  // Centred on the main window rather than on the screen.
  if (Form1 && Form1->isVisible()) move(Form1->frameGeometry().center() - rect().center());
}

void TForm8::FormActivate() {
  if (Edit1->isVisibleTo(this)) Edit1->setFocus();
}

void TForm8::Edit1Change() {
  DataModule6->Vid_oper->SearchByPrefix(QStringLiteral("vid"), Edit1->text());
}

void TForm8::Edit1KeyDown(int key) {
  if (key == Qt::Key_Up) DataModule6->Vid_oper->Prior();
  if (key == Qt::Key_Down) DataModule6->Vid_oper->Next();
}

void TForm8::Button1Click() {
  Form9->Edit1->clear();
  Form9->setWindowTitle(QStringLiteral("Заведение нового вида операций"));
  Form9->Tag = 1;
  Form9->ShowModal();
}

void TForm8::Button2Click() {
  TADOQuery* q = DataModule6->Vid_oper;
  if (q->IsEmpty()) return;
  const qlonglong id = q->FieldByName(QStringLiteral("id")).AsLargeInt();
  if (reserved::IsHourlyWork(id)) return;
  const QString vid = q->FieldByName(QStringLiteral("vid")).AsString().trimmed();
  if (Tag != 0) {
    Form10->Edit2->setText(vid);
    Form10->sel_oper_vid = id;
    Close(platform::mrOk);
    return;
  }
  Form9->setWindowTitle(QStringLiteral("Изменение данных вида операции"));
  Form9->Tag = 2;
  Form9->Edit1->setText(vid);
  Form9->ShowModal();
}

void TForm8::Button3Click() {
  TADOQuery* q = DataModule6->Vid_oper;
  if (q->IsEmpty()) return;
  const qlonglong id = q->FieldByName(QStringLiteral("id")).AsLargeInt();
  if (reserved::IsHourlyWork(id)) return;
  const int answer = platform::MessageDlg(QStringLiteral("Удалить вид операции?"), QStringLiteral("Удаление"),
                                          platform::MsgIcon::Question, platform::mbYes | platform::mbNo);
  if (answer != platform::mrYes) return;
  q->Delete();
  q->Close();
  q->Open();
}

void TForm8::Button4Click() { Close(platform::mrCancel); }

void TForm8::DBGrid1DblClick() { Button2Click(); }
