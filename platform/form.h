#pragma once
// TForm: a long-lived window of the application, created once and hidden, shown
// modally by the window that opens it. Tag tells it the mode it was opened in.
#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>
#include <initializer_list>

class QLineEdit;

#include "platform/dialogs.h"

namespace platform {

class TForm : public QDialog {
  Q_OBJECT
 public:
  explicit TForm(QWidget* parent = nullptr);

  int Tag = 0;

  // Shows the window modally (through the modal seam) and returns its modal result.
  int ShowModal();
  // Closes the window with the given modal result (cancel when none).
  void Close(int modalResult = 2 /* mrCancel */);
  // The result the window was last closed with.
  int ModalResult() const { return result(); }

  // Runs once each time the window is shown, after it has appeared.
  virtual void FormActivate() {}

 protected:
  void showEvent(QShowEvent* event) override;
};

// Shows a list window as a picker for another window: Tag 1, its choose button captioned
// "Выбрать", shown and made the default button, its other buttons hidden, its search box
// shown and cleared. Returns the modal result; the list writes the pick into the opener.
int ShowAsPicker(TForm* list, QPushButton* chooseButton, std::initializer_list<QPushButton*> hiddenButtons,
                 QLineEdit* searchBox);

// A button of a window's bar that runs one of the window's handlers (an error in it is
// shown, not fatal). Only the window's default button reacts to Enter.
template <typename T>
QPushButton* AddButton(QBoxLayout* bar, T* form, const QString& caption, void (T::*handler)(),
                       bool isDefault = false) {
  auto* b = new QPushButton(caption, form);
  b->setAutoDefault(false);
  b->setDefault(isDefault);
  QObject::connect(b, &QPushButton::clicked, form, Guarded(form, handler));
  bar->addWidget(b);
  return b;
}

}  // namespace platform
