#include "platform/form.h"

#include <QTimer>

#include "platform/dialogs.h"

namespace platform {

TForm::TForm(QWidget* parent) : QDialog(parent) {
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

int TForm::ShowModal() { return platform::ShowModal(this); }

void TForm::Close(int modalResult) { done(modalResult); }

void TForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // After the window is on screen, like an activation handler; an error in it is shown.
  QTimer::singleShot(0, this, [this] { RunGuarded([this] { FormActivate(); }); });
}

}  // namespace platform
