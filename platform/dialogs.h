#pragma once
// The widget side of the seams: modal showing of windows, the hourglass cursor,
// the handling of exceptions that escape a handler, and the real message boxes.
#include <QApplication>
#include <functional>

#include "platform/app_seams.h"

class QDialog;

namespace platform {

// Shows a window modally and returns its modal result. The application runs exec();
// tests install a handler that plays the user's part and returns a result.
int ShowModal(QDialog* window);
using ModalHandler = std::function<int(QDialog* window)>;
ModalHandler SetModalHandler(ModalHandler handler);

// Installs the real message boxes (and the real end of the application).
void InstallDesktopSeams();

// Shows the hourglass while alive and restores the cursor on every way out.
class TBusyCursor {
 public:
  TBusyCursor();
  ~TBusyCursor();
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};

// The application's standard message for an exception that escaped a handler.
void ShowException(const std::exception& e);

// Runs a handler; an exception that escapes it is shown in the standard message
// and the application goes on. Statements already run stay done.
void RunGuarded(const std::function<void()>& handler);

// Wraps a member handler for connect(): the handler runs under RunGuarded.
template <typename T>
auto Guarded(T* self, void (T::*handler)()) {
  return [self, handler] { RunGuarded([self, handler] { (self->*handler)(); }); };
}

// The application object: whatever escapes an event handler is shown, not fatal.
class TApplication : public QApplication {
 public:
  TApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// Title of the standard error message.
QString ApplicationTitle();

}  // namespace platform
