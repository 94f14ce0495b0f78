#include "reference/operation_type_edit_window.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/data_module.h"
#include "platform/app_seams.h"
#include "platform/dialogs.h"
#include "platform/sql_quote.h"

TForm9* Form9 = nullptr;

namespace {
// Length of accounts_dep.vid_oper.vid: a longer name could not be stored.
constexpr int kVidLength = 128;
}  // namespace

TForm9::TForm9(QWidget* parent) : TForm(parent) { CreateLayout(); }

TForm9::~TForm9() {
  if (Form9 == this) Form9 = nullptr;
}

void TForm9::CreateLayout() {
  auto* root = new QVBoxLayout(this);
  root->setSizeConstraint(QLayout::SetFixedSize);  // a fixed dialog border

  GroupBox1 = new QGroupBox(QStringLiteral("Вид операции"), this);
  auto* box = new QHBoxLayout(GroupBox1);
  Label1 = new QLabel(QStringLiteral("Операция"), GroupBox1);
  Edit1 = new QLineEdit(GroupBox1);
  Edit1->setMaxLength(kVidLength);
  Edit1->setMinimumWidth(300);
  Label1->setBuddy(Edit1);
  box->addWidget(Label1);
  box->addWidget(Edit1, 1);
  root->addWidget(GroupBox1);

  auto* bottom = new QHBoxLayout();
  bottom->addStretch(1);
  Button1 = platform::AddButton(bottom, this, QStringLiteral("Записать"), &TForm9::Button1Click, true);
  Button2 = platform::AddButton(bottom, this, QStringLiteral("Отмена"), &TForm9::Button2Click);
  root->addLayout(bottom);
}

void TForm9::FormActivate() { Edit1->setFocus(); }

void TForm9::Button1Click() {
  const QString name = Edit1->text().trimmed();
  if (name.isEmpty()) {
    platform::MessageDlg(QStringLiteral("Все поля должны быть заполнены!"), QStringLiteral("Ошибка"),
                         platform::MsgIcon::Error, platform::mbOK);
    return;
  }
  TADOQuery* q = DataModule6->Vid_oper;
  // Names are unique without regard to letter case and to the blanks around them (the list
  // shows names trimmed); a renamed type may keep its own name.
  QString check = QStringLiteral("select count(*) as cnt from accounts_dep.vid_oper where upper(trim(vid))=upper(%1)")
                      .arg(platform::QuotedStr(name));
  if (Tag != 1) check += QStringLiteral(" and id<>%1").arg(q->FieldByName(QStringLiteral("id")).AsLargeInt());
  if (DataModule6->CheckExists(check, QStringLiteral("Такая операция уже заведена!"))) return;

  if (Tag == 1)
    q->Insert();
  else
    q->Edit();
  q->SetFieldValue(QStringLiteral("vid"), name);
  q->Post();
  q->Close();
  q->Open();
  Close(platform::mrOk);
}

void TForm9::Button2Click() { Close(platform::mrCancel); }
