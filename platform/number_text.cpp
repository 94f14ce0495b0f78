#include "platform/number_text.h"

namespace platform {

QString FixedText(double value, int minDecimals, int maxDecimals, QChar point) {
  maxDecimals = qMax(minDecimals, maxDecimals);
  QString s = QString::number(value, 'f', maxDecimals);
  const int dot = s.indexOf(QLatin1Char('.'));
  if (dot >= 0) {
    while (s.size() - dot - 1 > minDecimals && s.endsWith(QLatin1Char('0'))) s.chop(1);
    if (s.endsWith(QLatin1Char('.'))) s.chop(1);
  }
  // A value that rounds to zero is written without its sign.
  if (s.startsWith(QLatin1Char('-')) && s.count(QLatin1Char('0')) + (dot >= 0 ? 2 : 1) == s.size()) s.remove(0, 1);
  if (point != QLatin1Char('.')) s.replace(QLatin1Char('.'), point);
  return s;
}

}  // namespace platform
