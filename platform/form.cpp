#include "platform/form.h"

#include <QLineEdit>
#include <QTimer>

#include "platform/dialogs.h"

namespace platform {

TForm::TForm(QWidget* parent) : QDialog(parent) {
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

int TForm::ShowModal() { return platform::ShowModal(this); }

void TForm::Close(int modalResult) { done(modalResult); }

int ShowAsPicker(TForm* list, QPushButton* chooseButton, std::initializer_list<QPushButton*> hiddenButtons,
                 QLineEdit* searchBox) {
  list->Tag = 1;
  chooseButton->setText(QStringLiteral("Выбрать"));
  chooseButton->setDefault(true);
  chooseButton->setVisible(true);
  for (QPushButton* b : hiddenButtons) b->setVisible(false);
  searchBox->setVisible(true);
  searchBox->clear();
  return list->ShowModal();
}

void TForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // After the window is on screen, like an activation handler; an error in it is shown.
  QTimer::singleShot(0, this, [this] { RunGuarded([this] { FormActivate(); }); });
}

}  // namespace platform
