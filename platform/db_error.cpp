#include "platform/db_error.h"

namespace platform {

EDatabaseError::EDatabaseError(const QString& message, const QString& sqlState, const QString& statement)
    : std::runtime_error(message.toStdString()), message_(message), sqlState_(sqlState), statement_(statement) {}

QString ExceptionText(const std::exception& e) {
  if (auto* db = dynamic_cast<const EDatabaseError*>(&e)) return db->Message();
  return QString::fromUtf8(e.what());
}

}  // namespace platform
