#pragma once
// Building SQL text from values: the one quoting function for texts, and the
// program's own formatting of integers and dates.
#include <QDate>
#include <QString>

namespace platform {

// A text value as an SQL literal: between single quotes, each quote doubled.
// Every text that goes into SQL passes through here; the server runs with
// standard_conforming_strings, so backslashes stay literal.
QString QuotedStr(const QString& text);

// A date as DD.MM.YYYY (day and month with two digits).
QString DateText(const QDate& date);

// A date as an SQL expression: to_date('DD.MM.YYYY', 'DD.MM.YYYY').
QString SqlDate(const QDate& date);

}  // namespace platform
