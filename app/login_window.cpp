#include "app/login_window.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/data_module.h"
#include "journal/journal_window.h"
#include "platform/app_seams.h"
#include "platform/dialogs.h"
#include "platform/sql_quote.h"

TForm23* Form23 = nullptr;

QString TrimPassword(const QString& text) {
  int b = 0;
  int e = text.size();
  while (b < e && text[b].unicode() <= 0x20) ++b;
  while (e > b && text[e - 1].unicode() <= 0x20) --e;
  return text.mid(b, e - b);
}

Role RoleForPassword(const QString& p) {
  if (p == QLatin1String("pilvex")) return Role::Viewing;
  if (p == QLatin1String("drovkin")) return Role::Foreman;
  if (p == QLatin1String("quorn")) return Role::Storekeeper;
  if (p == QLatin1String("63572140") || p == QLatin1String("6240")) return Role::Full;
  return Role::None;
}

BuildVerdict CompareBuild(int buildDate, int buildTime, int recordedDate, int recordedTime) {
  if (recordedDate < buildDate || (recordedDate == buildDate && recordedTime < buildTime)) return BuildVerdict::Newer;
  if (buildDate < recordedDate || (buildDate == recordedDate && buildTime < recordedTime)) return BuildVerdict::Older;
  return BuildVerdict::Same;
}

TForm23::TForm23(QWidget* parent) : TForm(parent) {
  setWindowTitle(QStringLiteral("Авторизация"));
  setAttribute(Qt::WA_QuitOnClose, true);
  auto* root = new QVBoxLayout(this);
  root->addWidget(new QLabel(QStringLiteral("Пароль:"), this));
  Edit1 = new QLineEdit(this);
  Edit1->setEchoMode(QLineEdit::Password);
  Edit1->setMinimumWidth(260);
  Edit1->setFocus();
  root->addWidget(Edit1);
  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  Button1 = platform::AddButton(buttons, this, QStringLiteral("Вход"), &TForm23::Button1Click, true);
  Button2 = platform::AddButton(buttons, this, QStringLiteral("Отмена"), &TForm23::Button2Click);
  root->addLayout(buttons);
  Timer1 = new QTimer(this);
  Timer1->setInterval(5000);
  Timer1->setSingleShot(true);
  connect(Timer1, &QTimer::timeout, this, &TForm23::Timer1Timer);
  setFixedSize(sizeHint().expandedTo(QSize(320, 0)));
}

TForm23::~TForm23() {
  if (Form23 == this) Form23 = nullptr;
}

void TForm23::FormActivate() {
  if (checked_) return;
  checked_ = true;
  Form1->BuildDate = BuildDate;
  Form1->BuildTime = BuildTime;
  platform::TADOQuery* ver = Form1->ver;
  ver->Open();
  ver->First();
  DataModule6->Delim = ver->FieldByName(QStringLiteral("delim")).AsString();
  const int d = ver->FieldByName(QStringLiteral("d")).AsInteger();
  const int t = ver->FieldByName(QStringLiteral("t")).AsInteger();
  const BuildVerdict verdict = CompareBuild(BuildDate, BuildTime, d, t);
  if (verdict == BuildVerdict::Newer) {
    // The first row is written back where it is; an empty table gets its row.
    DataModule6->SQL_exec->SetCommandText(
        ver->IsEmpty()
            ? QStringLiteral("insert into accounts_dep.ver(d, t) values(%1, %2)").arg(BuildDate).arg(BuildTime)
            : QStringLiteral("update accounts_dep.ver set d=%1, t=%2 where ctid=%3::tid")
                  .arg(BuildDate)
                  .arg(BuildTime)
                  .arg(platform::QuotedStr(ver->FieldByName(QStringLiteral("row_id")).AsString())));
    DataModule6->SQL_exec->Execute();
  }
  if (verdict == BuildVerdict::Older) {
    Timer1->start();
    platform::MessageDlg(QStringLiteral("Версия программы не соответсвует БД! Запустите программу через 5 мин."),
                         QStringLiteral("Ошибка"), platform::MsgIcon::Error, platform::mbOK);
    platform::Terminate();
  }
  ver->Close();
  setWindowTitle(QStringLiteral("Авторизация (build: %1.%2)").arg(BuildDate).arg(BuildTime));
}

void TForm23::Button1Click() {
  const QString p = TrimPassword(Edit1->text());
  const Role role = RoleForPassword(p);
  Form1->Shift = 1;
  Form1->Password = p;
  Form1->MenuTimesheet->menuAction()->setEnabled(role == Role::Full);
  if (role == Role::None) {
    platform::MessageDlg(QStringLiteral("Введены неверные данные."), QStringLiteral("Ошибка"),
                         platform::MsgIcon::Error, platform::mbOK);
    return;
  }
  for (int s = 1; s <= 4; ++s)
    DataModule6->JournalQuery(s)->ParamByName(QStringLiteral("ok"))->Value = QStringLiteral("ta");
  ApplyRole(role);
  hide();
  Form1->ShowModal();
  Close(platform::mrOk);
}

void TForm23::ApplyRole(Role role) {
  TForm1* f = Form1;
  const bool viewing = role == Role::Viewing;
  f->Button1->setEnabled(role == Role::Foreman || role == Role::Full);
  f->Button2->setEnabled(role == Role::Full);
  f->Button3->setEnabled(role == Role::Full);
  for (QWidget* w : std::initializer_list<QWidget*>{f->RadioButton1, f->RadioButton2, f->RadioButton3,
                                                    f->RadioButton4, f->CBox1, f->DateT, f->Button8, f->DBGrid2})
    w->setEnabled(!viewing);
  f->MenuReference->menuAction()->setEnabled(role == Role::Full);
  f->MenuTimesheet->menuAction()->setEnabled(role == Role::Full);
}

void TForm23::Button2Click() { Close(platform::mrCancel); }

void TForm23::Timer1Timer() {
  Timer1->stop();
  platform::Terminate();
}
