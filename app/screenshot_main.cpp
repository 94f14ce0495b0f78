// Pictures of the windows: starts the windows on a database, logs in with the given
// password and saves the login window, the journal, the position window in its three
// modes (nothing is saved) and, opened from the journal's menu, each reference list with
// its edit window (opened for adding, then cancelled) as PNG files.
// Usage: tabel_screenshot <database> <server> <password> <output dir>
#include <QDir>
#include <QCheckBox>
#include <QLineEdit>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <map>

#include "app/forms.h"
#include "app/login_window.h"
#include "app/data_module.h"
#include "db/reserved_ids.h"
#include "journal/journal_window.h"
#include "journal/position_window.h"
#include "platform/dialogs.h"
#include "reference/nomenclature_groups_window.h"
#include "reference/norms_window.h"
#include "reference/operation_types_window.h"
#include "reference/price_edit_window.h"
#include "reference/price_list_window.h"
#include "reference/products_list_window.h"
#include "reference/worker_hours_dialog.h"
#include "reports/excel_export.h"
#include "reference/workers_list_window.h"

extern const int kBuildDate;
extern const int kBuildTime;

namespace {

void Settle() {
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
}

bool Save(QWidget* w, const QString& path) {
  Settle();
  const bool ok = w->grab().save(path);
  std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
  return ok;
}

// Picks the first worker and the first operation of the price list into the position
// window the way its pickers do, and types a quantity.
void FillNewPosition() {
  DataModule6->Workers->Open();
  Form5->Tag = 1;
  Form5->Button2Click();
  DataModule6->Workers->Close();
  DataModule6->Oper->Open();
  while (!DataModule6->Oper->Eof() &&
         reserved::IsHourlyWork(DataModule6->Oper->FieldByName(QStringLiteral("id")).AsLargeInt()))
    DataModule6->Oper->Next();
  Form4->Tag = 1;
  Form4->Button2Click();
  Form4->Tag = 0;
  Form11->SetUpColour(Form11->Edit2->text());
  Form11->Edit3->setText(QStringLiteral("25"));
  Form11->Edit3Exit();
  DataModule6->Oper->Close();
}

}  // namespace

int main(int argc, char** argv) {
  platform::TApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() != 5) {
    std::fprintf(stderr, "usage: tabel_screenshot <database> <server> <password> <output dir>\n");
    return 2;
  }
  platform::InstallDesktopSeams();
  if (!CreateForms({args[1], args[2]}, true)) return 1;
  const QDir out(args[4]);
  bool ok = true;
  Form23->BuildDate = kBuildDate;
  Form23->BuildTime = kBuildTime;
  Settle();
  Form23->FormActivate();
  Form23->Edit1->setText(args[3]);
  ok &= Save(Form23, out.filePath(QStringLiteral("login.png")));
  // File name of each window, and what to open from it once it has been photographed.
  const std::map<QString, std::pair<QString, std::function<void()>>> windows = {
      {"TForm1", {"journal", [] {
                    Form1->Button1Click();
                    Form1->Button2Click();
                    Form1->Copy1Click();
                    Form1->MenuPricesClick();
                    Form1->MenuWorkersClick();
                    Form1->MenuProductsClick();
                    Form1->MenuOperTypesClick();
                    Form1->MenuGroupsClick();
                    Form132->ShowModal();
                  }}},
      {"TForm4", {"prices", [] {
                    Form4->Button1Click();
                    Form4->CheckBox1->setChecked(true);
                    Form4->DBGrid1DblClick();
                    Form4->CheckBox1->setChecked(false);
                    // The export too: the file goes where TABEL_EXPORT_DIR says.
                    Form4->Button5Click();
                    std::printf("exported %s\n", qPrintable(SharedExcelExport().SavedFile()));
                  }}},
      {"TForm10", {"price_edit", {}}},
      {"TForm22", {"norms", {}}},
      {"TForm5", {"workers", [] { Form5->Button1Click(); }}},
      {"TForm2", {"worker_edit", {}}},
      {"TForm132", {"worker_hours", {}}},
      {"TForm3", {"products", [] { Form3->Button1Click(); }}},
      {"TForm7", {"product_edit", {}}},
      {"TForm8", {"operation_types", [] { Form8->Button1Click(); }}},
      {"TForm9", {"operation_type_edit", {}}},
      {"TForm26", {"groups", [] { Form26->Button2Click(); }}},
      {"TForm29", {"group_edit", {}}},
  };
  platform::SetModalHandler([&](QDialog* w) {
    w->show();
    if (auto* f = qobject_cast<platform::TForm*>(w)) f->FormActivate();
    if (w == Form11) {
      // The new position is filled as if the first worker and operation had been picked.
      static const char* modes[] = {"", "position_new", "position_change", "position_copy"};
      if (Form11->Tag == TForm11::kNew) FillNewPosition();
      ok &= Save(w, out.filePath(QString::fromLatin1(modes[Form11->Tag % 4]) + QStringLiteral(".png")));
      w->hide();
      return int(platform::mrCancel);
    }
    const auto it = windows.find(QString::fromLatin1(w->metaObject()->className()));
    if (it != windows.end()) {
      ok &= Save(w, out.filePath(it->second.first + QStringLiteral(".png")));
      if (it->second.second) platform::RunGuarded(it->second.second);
    }
    w->hide();
    return int(platform::mrCancel);
  });
  Form23->Button1Click();
  DestroyForms();
  return ok ? 0 : 1;
}
