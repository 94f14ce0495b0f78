#include "reference/worker_edit_window.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "platform/app_seams.h"
#include "platform/dialogs.h"
#include "platform/sql_quote.h"

using platform::TDBLookupComboBox;

TForm2* Form2 = nullptr;

namespace {
// One notch of a mouse wheel, in eighths of a degree.
constexpr int kWheelNotch = 120;
// The name column holds up to this many characters.
constexpr int kNameLength = 254;
}  // namespace

TForm2::TForm2(QWidget* parent) : TForm(parent) {
  staffpos = new platform::TADOQuery(this, QStringLiteral("select * from hrms_staffpos.staffpos"));
  department = new platform::TADOQuery(this, QStringLiteral("select * from cmn_department.department"));
  roles = new platform::TADOQuery(this, QStringLiteral("select * from adm_role.roles"));
  cmd_person = new platform::TADOCommand(this);
  CreateLayout();
}

TForm2::~TForm2() {
  if (Form2 == this) Form2 = nullptr;
}

void TForm2::CreateLayout() {
  auto* root = new QVBoxLayout(this);

  GroupBox1 = new QGroupBox(QStringLiteral("Данные о работнике"), this);
  auto* fields = new QFormLayout(GroupBox1);
  auto lookup = [&](QLabel*& label, const char* caption, TDBLookupComboBox*& box, platform::TADOQuery* query) {
    label = new QLabel(QString::fromUtf8(caption), GroupBox1);
    box = new TDBLookupComboBox(GroupBox1);
    box->SetListSource(query, QStringLiteral("id"), QStringLiteral("s_caption"));
    box->SetDropDownCount(10);
    label->setBuddy(box);
    fields->addRow(label, box);
  };
  Label1 = new QLabel(QStringLiteral("ФИО"), GroupBox1);
  Edit1 = new QLineEdit(GroupBox1);
  Edit1->setMaxLength(kNameLength);
  Edit1->setMinimumWidth(320);
  Label1->setBuddy(Edit1);
  fields->addRow(Label1, Edit1);
  lookup(Label2, "Подразделение", LCB_department, department);
  lookup(Label3, "Должность", LCB_staffpos, staffpos);
  lookup(Label4, "Роль", LCB_roles, roles);
  root->addWidget(GroupBox1);

  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  Button1 = platform::AddButton(buttons, this, QStringLiteral("Записать"), &TForm2::Button1Click, true);
  Button2 = platform::AddButton(buttons, this, QStringLiteral("Отмена"), &TForm2::Button2Click);
  root->addLayout(buttons);

  // The wheel over any control of the window is the window's: a lookup under the pointer
  // does not scroll itself, the focused one moves.
  for (QWidget* w : std::initializer_list<QWidget*>{GroupBox1, Label1, Edit1, Label2, LCB_department, Label3,
                                                   LCB_staffpos, Label4, LCB_roles, Button1, Button2})
    w->installEventFilter(this);

  setFixedSize(sizeHint());
}

void TForm2::FormActivate() { Edit1->setFocus(); }

TDBLookupComboBox* TForm2::FocusedLookup() const {
  QWidget* focused = focusWidget();
  for (TDBLookupComboBox* box : {LCB_roles, LCB_staffpos, LCB_department})
    if (focused == box) return box;
  return nullptr;
}

void TForm2::FormMouseWheelDown() {
  if (TDBLookupComboBox* box = FocusedLookup()) box->SelectNext();
}

void TForm2::FormMouseWheelUp() {
  if (TDBLookupComboBox* box = FocusedLookup()) box->SelectPrior();
}

void TForm2::Wheel(QWheelEvent* event) {
  wheelAngle_ += event->angleDelta().y();
  while (wheelAngle_ >= kWheelNotch) {
    wheelAngle_ -= kWheelNotch;
    FormMouseWheelUp();
  }
  while (wheelAngle_ <= -kWheelNotch) {
    wheelAngle_ += kWheelNotch;
    FormMouseWheelDown();
  }
  event->accept();
}

void TForm2::wheelEvent(QWheelEvent* event) { Wheel(event); }

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel) {
    Wheel(static_cast<QWheelEvent*>(event));
    return true;
  }
  return TForm::eventFilter(watched, event);
}

void TForm2::Button1Click() {
  const QString fio = Edit1->text().trimmed();
  if (fio.isEmpty()) {
    platform::MessageDlg(QStringLiteral("ФИО нужно заполнить!"), QStringLiteral("Ошибка"), platform::MsgIcon::Error,
                         platform::mbOK);
    return;
  }
  // The position column receives the department's caption; the position and role
  // lookups are not stored.
  const QString dept = LCB_department->Text();
  // All values go in one arg() call, so a "%1" typed in a name stays text.
  if (Tag == 1) {
    cmd_person->SetCommandText(QStringLiteral("INSERT INTO accounts_dep.person (fio, s_staffpos_hl)VALUES(%1, %2)")
                                   .arg(platform::QuotedStr(fio), platform::QuotedStr(dept)));
  } else {
    cmd_person->SetCommandText(
        QStringLiteral("UPDATE accounts_dep.person SET fio=%1, s_staffpos_hl=%2 where accounts_dep.person.id=%3")
            .arg(platform::QuotedStr(fio), platform::QuotedStr(dept), QString::number(PersonId)));
  }
  cmd_person->Execute();
  Close(platform::mrOk);
}

void TForm2::Button2Click() { Close(platform::mrCancel); }

void TForm2::reject() { Button2Click(); }
