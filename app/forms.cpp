#include "app/forms.h"

#include "app/data_module.h"
#include "app/login_window.h"
#include "hours/hours_entry_window.h"
#include "journal/journal_window.h"
#include "journal/painting_window.h"
#include "journal/position_window.h"
#include "reference/nomenclature_group_edit_window.h"
#include "reference/nomenclature_groups_window.h"
#include "reference/operation_type_edit_window.h"
#include "reference/operation_types_window.h"
#include "reference/norms_window.h"
#include "reference/price_edit_window.h"
#include "reference/price_list_window.h"
#include "reference/product_edit_window.h"
#include "reference/products_list_window.h"
#include "reference/worker_edit_window.h"
#include "reference/worker_hours_dialog.h"
#include "reference/workers_list_window.h"
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
  // The other windows, hidden, in the start-up order; windows of subsystems still to
  // come join the order when they are built.
  Form2 = new TForm2();
  Form3 = new TForm3();
  Form4 = new TForm4();
  Form5 = new TForm5();
  Form7 = new TForm7();
  Form8 = new TForm8();
  Form9 = new TForm9();
  Form10 = new TForm10();
  Form11 = new TForm11();
  Form22 = new TForm22();
  Form24 = new TForm24();
  Form26 = new TForm26();
  Form29 = new TForm29();
  Form132 = new TForm132();
  Form33 = new TForm33();
  return true;
}

namespace {
template <typename T>
void Destroy(T*& form) {
  delete form;
  form = nullptr;
}
}  // namespace

void DestroyForms() {
  Destroy(Form33);
  Destroy(Form132);
  Destroy(Form29);
  Destroy(Form26);
  Destroy(Form24);
  Destroy(Form22);
  Destroy(Form11);
  Destroy(Form10);
  Destroy(Form9);
  Destroy(Form8);
  Destroy(Form7);
  Destroy(Form5);
  Destroy(Form4);
  Destroy(Form3);
  Destroy(Form2);
  Destroy(Form23);
  Destroy(Form1);
  Destroy(DataModule6);
}
