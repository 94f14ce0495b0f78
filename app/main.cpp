// Start-up: the application object, the windows, the message loop.
#include <QIcon>

#include "app/forms.h"
#include "app/login_window.h"
#include "platform/app_seams.h"
#include "platform/dialogs.h"

extern const int kBuildDate;
extern const int kBuildTime;

int main(int argc, char** argv) {
  platform::TApplication app(argc, argv);
  platform::InstallDesktopSeams();
  try {
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (!CreateForms(args)) {
      DestroyForms();
      return 0;
    }
    Form23->BuildDate = kBuildDate;
    Form23->BuildTime = kBuildTime;
  } catch (const std::exception& e) {
    platform::ShowException(e);
    DestroyForms();
    return 0;
  }
  const int rc = platform::TerminateRequested() ? 0 : QApplication::exec();
  DestroyForms();
  return rc;
}
