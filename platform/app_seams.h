#pragma once
// The seams between the windows and the desktop: every message box and every request
// to end the application goes through here. The application installs handlers that
// show real boxes; tests install handlers that record and answer from a script.
#include <QString>
#include <QStringList>
#include <functional>

namespace platform {

enum class MsgIcon { None, Information, Warning, Error, Question };

// Buttons of a message box (combine with |) and the answer it returns.
enum MsgButton { mbOK = 1, mbCancel = 2, mbYes = 4, mbNo = 8 };
enum ModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

struct MessageCall {
  QString text;
  QString caption;
  MsgIcon icon = MsgIcon::None;
  int buttons = mbOK;
};

using MessageHandler = std::function<int(const MessageCall&)>;

// Shows a message box and returns the answer (mrOk, mrYes, mrNo, mrCancel).
int MessageDlg(const QString& text, const QString& caption, MsgIcon icon, int buttons = mbOK);

// Replaces the handler; returns the previous one.
MessageHandler SetMessageHandler(MessageHandler handler);

// Asks the application to end (it ends once the running handler returns).
void Terminate();
bool TerminateRequested();
void ClearTerminateRequest();

// The command line as the program was started with it: ParamStr(1) is the first argument;
// an argument not given is "". Tests set their own.
QString ParamStr(int index);
void SetCommandLine(const QStringList& argumentsWithoutProgram);
using TerminateHandler = std::function<void()>;
TerminateHandler SetTerminateHandler(TerminateHandler handler);

}  // namespace platform
