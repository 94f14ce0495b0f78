#pragma once
// An in-memory workbook: numbered sheets of cells, each holding a text value, a
// text-format flag and bold, plus column widths; saved as an .xlsx file. Sheets,
// columns and rows are counted from 1, as the exports address them.
#include <QString>
#include <map>
#include <vector>

namespace platform {

struct TCell {
  QString value;
  bool asText = false;  // number format "@": the value stays text even when it reads as a number
  bool bold = false;
};

// Whether a cell text is stored as a number: an optional minus, digits without needless
// leading zeros, an optional decimal point or comma followed by digits, and no more than
// 15 significant digits (a spreadsheet keeps no more, so longer ones stay text to keep
// every digit). "0,95" is 0.95; "007", "12 шт", "1e5", "+5", ".5", "1 234" stay texts.
// On true, *number (when given) receives the value.
bool NumericText(const QString& text, double* number = nullptr);

class TWorkbook {
 public:
  static constexpr int kMaxRows = 1048576;
  static constexpr int kMaxColumns = 16384;
  static constexpr int kMaxTextLength = 32767;
  static constexpr double kDefaultColumnWidth = 8.43;
  static constexpr double kMaxColumnWidth = 255;

  // A new workbook has one sheet.
  TWorkbook();

  int SheetCount() const { return int(sheets_.size()); }
  bool HasSheet(int sheet) const { return sheet >= 1 && sheet <= SheetCount(); }
  // Adds a sheet at the end and returns its number.
  int AddSheet();

  // Whether (sheet, column, row) is a cell this workbook can hold.
  bool ValidCell(int sheet, int column, int row) const;

  // Each setter creates the cell when needed; false (and nothing changed) for an address
  // the workbook cannot hold or, for SetValue, a text longer than a cell takes.
  bool SetValue(int sheet, int column, int row, const QString& value);
  bool SetAsText(int sheet, int column, int row, bool asText);
  bool SetBold(int sheet, int column, int row, bool bold);

  // The cell, or null when nothing was ever set there.
  const TCell* Cell(int sheet, int column, int row) const;

  // Width in characters of the default font; kDefaultColumnWidth until set or fitted.
  double ColumnWidth(int sheet, int column) const;
  void SetColumnWidth(int sheet, int column, double width);
  // Sets the width that shows the longest text of the column (counted in characters,
  // bold a little wider, with padding); an empty column goes back to the default width.
  void FitColumn(int sheet, int column);

  // Writes the workbook as .xlsx; on failure returns false with a readable reason.
  bool SaveXlsx(const QString& path, QString* error) const;

 private:
  struct Column {
    std::map<int, TCell> cells;  // by row
    double widest = 0;           // the widest text of the column, valid unless stale
    bool widestStale = false;    // set when the widest text may have shrunk
  };
  struct Sheet {
    std::map<int, Column> columns;  // by column number
    std::map<int, double> widths;   // widths that were set or fitted
  };

  TCell* Touch(int sheet, int column, int row);
  void CellChanged(int sheet, int column, double oldWidth, double newWidth);
  static double TextWidth(const TCell& cell);

  std::vector<Sheet> sheets_;
};

}  // namespace platform
