#include "app/forms.h"

#include "app/data_module.h"
#include "app/login_window.h"
#include "journal/journal_window.h"
#include "platform/app_seams.h"

namespace {
bool g_showLogin = true;
}

bool ShowLoginAtCreation() { return g_showLogin; }

bool CreateForms(const QStringList& argumentsWithoutProgram, bool showLogin) {
  g_showLogin = showLogin;
  platform::ClearTerminateRequest();
  platform::SetCommandLine(argumentsWithoutProgram);
  Form1 = new TForm1();
  if (platform::TerminateRequested()) return false;
  // The other windows join here, hidden, in the start-up order, as they are built.
  return true;
}

void DestroyForms() {
  delete Form23;
  Form23 = nullptr;
  delete Form1;
  Form1 = nullptr;
  delete DataModule6;
  DataModule6 = nullptr;
}
