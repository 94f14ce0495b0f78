#include "platform/workbook.h"

#include <xlsxwriter.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <memory>

namespace platform {

bool NumericText(const QString& text, double* number) {
  const auto isDigit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
  qsizetype i = 0;
  const qsizetype n = text.size();
  if (i < n && text[i] == QLatin1Char('-')) ++i;
  const qsizetype intStart = i;
  while (i < n && isDigit(text[i])) ++i;
  const qsizetype intDigits = i - intStart;
  if (intDigits == 0) return false;
  // "007" is a code, not seven; a single zero before the decimal separator is a number.
  if (intDigits > 1 && text[intStart] == QLatin1Char('0')) return false;
  qsizetype fracDigits = 0;
  if (i < n && (text[i] == QLatin1Char('.') || text[i] == QLatin1Char(','))) {
    ++i;
    const qsizetype fracStart = i;
    while (i < n && isDigit(text[i])) ++i;
    fracDigits = i - fracStart;
    if (fracDigits == 0) return false;
  }
  if (i != n) return false;

  // Significant digits: all digits after the leading zeros (0,000123 has three).
  QString digits = text.mid(intStart, intDigits);
  if (fracDigits > 0) digits += text.right(fracDigits);
  qsizetype firstNonZero = 0;
  while (firstNonZero < digits.size() && digits[firstNonZero] == QLatin1Char('0')) ++firstNonZero;
  if (digits.size() - firstNonZero > 15) return false;

  if (number) {
    QString normalized = text;
    normalized.replace(QLatin1Char(','), QLatin1Char('.'));
    *number = normalized.toDouble() + 0.0;  // + 0.0 turns "-0" into 0
  }
  return true;
}

TWorkbook::TWorkbook() : sheets_(1) {}

int TWorkbook::AddSheet() {
  sheets_.emplace_back();
  return SheetCount();
}

bool TWorkbook::ValidCell(int sheet, int column, int row) const {
  return HasSheet(sheet) && column >= 1 && column <= kMaxColumns && row >= 1 && row <= kMaxRows;
}

TCell* TWorkbook::Touch(int sheet, int column, int row) {
  if (!ValidCell(sheet, column, row)) return nullptr;
  return &sheets_[sheet - 1].columns[column].cells[row];
}

double TWorkbook::TextWidth(const TCell& cell) {
  // Capitals are wider than the digit a width unit is measured in; bold adds a little.
  double widest = 0;
  double line = 0;
  for (const QChar c : cell.value) {
    if (c == QLatin1Char('\n')) {
      widest = std::max(widest, line);
      line = 0;
    } else if (!c.isLowSurrogate()) {
      line += c.isUpper() ? 1.2 : 1.0;
    }
  }
  widest = std::max(widest, line);
  return cell.bold ? widest * 1.1 : widest;
}

void TWorkbook::CellChanged(int sheet, int column, double oldWidth, double newWidth) {
  // Keeps the widest text of the column without scanning it on every change; only a
  // shrinking widest cell makes the next fit look at the whole column again.
  Column& col = sheets_[sheet - 1].columns[column];
  if (col.widestStale) return;
  if (newWidth >= col.widest)
    col.widest = newWidth;
  else if (oldWidth >= col.widest)
    col.widestStale = true;
}

bool TWorkbook::SetValue(int sheet, int column, int row, const QString& value) {
  if (value.size() > kMaxTextLength) return false;
  TCell* cell = Touch(sheet, column, row);
  if (!cell) return false;
  const double before = TextWidth(*cell);
  cell->value = value;
  CellChanged(sheet, column, before, TextWidth(*cell));
  return true;
}

bool TWorkbook::SetAsText(int sheet, int column, int row, bool asText) {
  TCell* cell = Touch(sheet, column, row);
  if (!cell) return false;
  cell->asText = asText;
  return true;
}

bool TWorkbook::SetBold(int sheet, int column, int row, bool bold) {
  TCell* cell = Touch(sheet, column, row);
  if (!cell) return false;
  const double before = TextWidth(*cell);
  cell->bold = bold;
  CellChanged(sheet, column, before, TextWidth(*cell));
  return true;
}

const TCell* TWorkbook::Cell(int sheet, int column, int row) const {
  if (!HasSheet(sheet)) return nullptr;
  const Sheet& s = sheets_[sheet - 1];
  const auto col = s.columns.find(column);
  if (col == s.columns.end()) return nullptr;
  const auto cell = col->second.cells.find(row);
  return cell == col->second.cells.end() ? nullptr : &cell->second;
}

double TWorkbook::ColumnWidth(int sheet, int column) const {
  if (!HasSheet(sheet)) return kDefaultColumnWidth;
  const Sheet& s = sheets_[sheet - 1];
  const auto w = s.widths.find(column);
  return w == s.widths.end() ? kDefaultColumnWidth : w->second;
}

void TWorkbook::SetColumnWidth(int sheet, int column, double width) {
  if (!ValidCell(sheet, column, 1)) return;
  sheets_[sheet - 1].widths[column] = std::clamp(width, 0.0, kMaxColumnWidth);
}

void TWorkbook::FitColumn(int sheet, int column) {
  if (!ValidCell(sheet, column, 1)) return;
  Sheet& s = sheets_[sheet - 1];
  Column& col = s.columns[column];
  if (col.widestStale) {
    col.widest = 0;
    for (const auto& [row, cell] : col.cells) col.widest = std::max(col.widest, TextWidth(cell));
    col.widestStale = false;
  }
  if (col.widest <= 0)
    s.widths.erase(column);
  else
    s.widths[column] = std::min(col.widest + 2, kMaxColumnWidth);
}

namespace {

struct WorkbookCloser {
  void operator()(lxw_workbook* wb) const { lxw_workbook_free(wb); }
};

}  // namespace

bool TWorkbook::SaveXlsx(const QString& path, QString* error) const {
  const auto fail = [&](const QString& why) {
    if (error) *error = why;
    return false;
  };
  const QByteArray fileName = QFile::encodeName(path);
  // Temporary parts go next to the file: that folder is known to be writable.
  QByteArray tmpDir = QFile::encodeName(QFileInfo(path).absolutePath());
  lxw_workbook_options options{};
  options.tmpdir = tmpDir.data();
  std::unique_ptr<lxw_workbook, WorkbookCloser> wb(workbook_new_opt(fileName.constData(), &options));
  if (!wb) return fail(QStringLiteral("не удалось создать книгу в памяти"));

  // One format per combination of bold and text format; plain cells need none.
  lxw_format* formats[2][2] = {{nullptr, nullptr}, {nullptr, nullptr}};
  const auto formatFor = [&](const TCell& cell) -> lxw_format* {
    if (!cell.bold && !cell.asText) return nullptr;
    lxw_format*& f = formats[cell.bold][cell.asText];
    if (!f) {
      f = workbook_add_format(wb.get());
      if (cell.bold) format_set_bold(f);
      if (cell.asText) format_set_num_format(f, "@");
    }
    return f;
  };

  for (int n = 1; n <= SheetCount(); ++n) {
    const Sheet& s = sheets_[n - 1];
    const QByteArray name = QStringLiteral("Лист%1").arg(n).toUtf8();
    lxw_worksheet* ws = workbook_add_worksheet(wb.get(), name.constData());
    if (!ws) return fail(QStringLiteral("не удалось добавить лист %1").arg(n));
    for (const auto& [column, width] : s.widths)
      worksheet_set_column(ws, lxw_col_t(column - 1), lxw_col_t(column - 1), width, nullptr);
    for (const auto& [column, col] : s.columns) {
      for (const auto& [row, cell] : col.cells) {
        const lxw_row_t r = lxw_row_t(row - 1);
        const lxw_col_t c = lxw_col_t(column - 1);
        lxw_format* format = formatFor(cell);
        lxw_error err = LXW_NO_ERROR;
        double number = 0;
        if (cell.value.isEmpty()) {
          if (format) err = worksheet_write_blank(ws, r, c, format);
        } else if (!cell.asText && NumericText(cell.value, &number)) {
          err = worksheet_write_number(ws, r, c, number, format);
        } else {
          err = worksheet_write_string(ws, r, c, cell.value.toUtf8().constData(), format);
        }
        if (err != LXW_NO_ERROR)
          return fail(QStringLiteral("лист %1, столбец %2, строка %3: %4")
                          .arg(n)
                          .arg(column)
                          .arg(row)
                          .arg(QString::fromUtf8(lxw_strerror(err))));
      }
    }
  }

  // workbook_close writes the file and frees the workbook whatever the outcome.
  const lxw_error err = workbook_close(wb.release());
  if (err != LXW_NO_ERROR)
    return fail(QStringLiteral("%1: %2").arg(path, QString::fromUtf8(lxw_strerror(err))));
  return true;
}

}  // namespace platform
