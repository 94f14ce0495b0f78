// Pictures of the windows for the README: starts the windows on a database, logs in
// with the given password and saves the login and journal windows as PNG files.
// Usage: tabel_screenshot <database> <server> <password> <output dir>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "app/forms.h"
#include "app/login_window.h"
#include "journal/journal_window.h"
#include "platform/dialogs.h"

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
  Settle();
  Form23->FormActivate();
  Form23->Edit1->setText(args[3]);
  ok &= Save(Form23, out.filePath(QStringLiteral("login.png")));
  platform::SetModalHandler([&](QDialog* w) {
    w->show();
    if (auto* f = qobject_cast<platform::TForm*>(w)) f->FormActivate();
    ok &= Save(w, out.filePath(QStringLiteral("journal.png")));
    w->hide();
    return int(platform::mrCancel);
  });
  Form23->Button1Click();
  DestroyForms();
  return ok ? 0 : 1;
}
