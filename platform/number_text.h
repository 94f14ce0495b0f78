#pragma once
// Fractional numbers as text: the one place that decides places, rounding and the
// decimal separator, for SQL, spreadsheets, grids and edit boxes alike.
#include <QChar>
#include <QString>

namespace platform {

// The number rounded to maxDecimals places, with at least minDecimals places kept
// (trailing zeros beyond them dropped), never an exponent and never "-0"; the decimal
// separator is the given one (a point for SQL and spreadsheets).
QString FixedText(double value, int minDecimals, int maxDecimals, QChar point = QLatin1Char('.'));

}  // namespace platform
