#include "platform/app_seams.h"

#include <QCoreApplication>
#include <cstdio>

namespace platform {

namespace {

// Without a window system there is nobody to answer: print and take the first answer.
int ConsoleMessage(const MessageCall& m) {
  std::fprintf(stderr, "%s: %s\n", qPrintable(m.caption), qPrintable(m.text));
  if (m.buttons & mbOK) return mrOk;
  if (m.buttons & mbYes) return mrYes;
  return mrCancel;
}

MessageHandler& Handler() {
  static MessageHandler h = ConsoleMessage;
  return h;
}

TerminateHandler& Terminator() {
  static TerminateHandler h = [] { QCoreApplication::exit(0); };
  return h;
}

bool g_terminateRequested = false;

QStringList& CommandLine() {
  static QStringList args = [] {
    QStringList a = QCoreApplication::arguments();
    if (!a.isEmpty()) a.removeFirst();
    return a;
  }();
  return args;
}

}  // namespace

int MessageDlg(const QString& text, const QString& caption, MsgIcon icon, int buttons) {
  return Handler()(MessageCall{text, caption, icon, buttons});
}

MessageHandler SetMessageHandler(MessageHandler handler) {
  MessageHandler old = std::move(Handler());
  Handler() = std::move(handler);
  return old;
}

void Terminate() {
  g_terminateRequested = true;
  Terminator()();
}

bool TerminateRequested() { return g_terminateRequested; }
void ClearTerminateRequest() { g_terminateRequested = false; }

QString ParamStr(int index) { return index >= 1 ? CommandLine().value(index - 1) : QString(); }
void SetCommandLine(const QStringList& argumentsWithoutProgram) { CommandLine() = argumentsWithoutProgram; }

TerminateHandler SetTerminateHandler(TerminateHandler handler) {
  TerminateHandler old = std::move(Terminator());
  Terminator() = std::move(handler);
  return old;
}

}  // namespace platform
