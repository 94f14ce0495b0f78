#pragma once
// The one error type of the data layer: a failed statement with the server's message.
#include <QString>
#include <stdexcept>

namespace platform {

class EDatabaseError : public std::runtime_error {
 public:
  EDatabaseError(const QString& message, const QString& sqlState = {}, const QString& statement = {});
  const QString& Message() const { return message_; }
  const QString& SqlState() const { return sqlState_; }
  const QString& Statement() const { return statement_; }

 private:
  QString message_;
  QString sqlState_;
  QString statement_;
};

// The text to show for any exception that escaped a handler.
QString ExceptionText(const std::exception& e);

}  // namespace platform
