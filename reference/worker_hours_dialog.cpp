#include "reference/worker_hours_dialog.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/app_seams.h"
#include "platform/dialogs.h"
#include "platform/edit_keys.h"

TForm132* Form132 = nullptr;

TForm132::TForm132(QWidget* parent) : TForm(parent) {
  setWindowTitle(QStringLiteral("Ввод данных (132)"));
  auto* root = new QVBoxLayout(this);

  Label1 = new QLabel(this);
  QFont bold = Label1->font();
  bold.setBold(true);
  Label1->setFont(bold);
  Label1->setMinimumWidth(280);
  root->addWidget(Label1);

  auto* hours = new QHBoxLayout();
  Label2 = new QLabel(QStringLiteral("Отработано (ч.)"), this);
  Edit1 = new QLineEdit(this);
  Edit1->setMaximumWidth(90);
  platform::DigitsOnly(Edit1);
  Label2->setBuddy(Edit1);
  hours->addWidget(Label2);
  hours->addWidget(Edit1);
  hours->addStretch(1);
  root->addLayout(hours);

  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  Button1 = platform::AddButton(buttons, this, QStringLiteral("Запись"), &TForm132::Button1Click, true);
  Button2 = platform::AddButton(buttons, this, QStringLiteral("Отмена"), &TForm132::Button2Click);
  root->addLayout(buttons);

  setFixedSize(sizeHint());
}

TForm132::~TForm132() {
  if (Form132 == this) Form132 = nullptr;
}

double TForm132::Hours() const {
  bool ok = false;
  const double hours = Edit1->text().toDouble(&ok);
  return ok ? hours : 0;
}

void TForm132::Button1Click() {
  // An empty box is no number of hours: it is refused like 0.
  if (Hours() <= 0) {
    platform::MessageDlg(QStringLiteral("Значение должно быть больше 0!"), QStringLiteral("Ошибка"),
                         platform::MsgIcon::Error, platform::mbOK);
    Close(platform::mrCancel);
    return;
  }
  Close(platform::mrOk);
}

void TForm132::Button2Click() { Close(platform::mrCancel); }

void TForm132::reject() { Button2Click(); }
