#include "platform/sql_quote.h"

namespace platform {

QString QuotedStr(const QString& text) {
  QString out;
  out.reserve(text.size() + 2);
  out += QLatin1Char('\'');
  for (const QChar c : text) {
    if (c == QLatin1Char('\'')) out += QLatin1Char('\'');
    // A NUL cannot travel inside a PostgreSQL text literal; drop it.
    if (c.unicode() == 0) continue;
    out += c;
  }
  out += QLatin1Char('\'');
  return out;
}

QString DateText(const QDate& date) { return date.toString(QStringLiteral("dd.MM.yyyy")); }

QString SqlDate(const QDate& date) {
  return QStringLiteral("to_date('%1', 'DD.MM.YYYY')").arg(DateText(date));
}

}  // namespace platform
