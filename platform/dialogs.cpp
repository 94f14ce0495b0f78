#include "platform/dialogs.h"

#include <QDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include "platform/db_error.h"

namespace platform {

namespace {

ModalHandler& Modal() {
  static ModalHandler h = [](QDialog* w) { return w->exec(); };
  return h;
}

int DesktopMessage(const MessageCall& m) {
  QMessageBox box;
  box.setWindowTitle(m.caption);
  box.setText(m.text);
  switch (m.icon) {
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::None: break;
  }
  QMessageBox::StandardButtons buttons;
  if (m.buttons & mbOK) buttons |= QMessageBox::Ok;
  if (m.buttons & mbYes) buttons |= QMessageBox::Yes;
  if (m.buttons & mbNo) buttons |= QMessageBox::No;
  if (m.buttons & mbCancel) buttons |= QMessageBox::Cancel;
  box.setStandardButtons(buttons);
  if (auto* b = box.button(QMessageBox::Yes)) b->setText(QStringLiteral("Да"));
  if (auto* b = box.button(QMessageBox::No)) b->setText(QStringLiteral("Нет"));
  if (auto* b = box.button(QMessageBox::Cancel)) b->setText(QStringLiteral("Отмена"));
  switch (box.exec()) {
    case QMessageBox::Yes: return mrYes;
    case QMessageBox::No: return mrNo;
    case QMessageBox::Cancel: return mrCancel;
    default: return mrOk;
  }
}

}  // namespace

int ShowModal(QDialog* window) { return Modal()(window); }

ModalHandler SetModalHandler(ModalHandler handler) {
  ModalHandler old = std::move(Modal());
  Modal() = std::move(handler);
  return old;
}

void InstallDesktopSeams() {
  SetMessageHandler(DesktopMessage);
  SetTerminateHandler([] { QCoreApplication::exit(0); });
}

TBusyCursor::TBusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
TBusyCursor::~TBusyCursor() { QGuiApplication::restoreOverrideCursor(); }

QString ApplicationTitle() {
  const QString t = QGuiApplication::applicationDisplayName();
  return t.isEmpty() ? QStringLiteral("Табель") : t;
}

void ShowException(const std::exception& e) {
  QString text = ExceptionText(e);
  if (!text.endsWith(QLatin1Char('.'))) text += QLatin1Char('.');
  MessageDlg(text, ApplicationTitle(), MsgIcon::Error, mbOK);
}

void RunGuarded(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    ShowException(e);
  }
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ShowException(e);
  } catch (...) {
    ShowException(std::runtime_error("Unknown error"));
  }
  return false;
}

}  // namespace platform
