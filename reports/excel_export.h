#pragma once
// TExcelExport: every "Excel" button writes its table through here, cell by cell, into a
// new workbook that is then saved as .xlsx and opened in the desktop's spreadsheet program.
#include <QString>
#include <memory>

namespace platform {
class TWorkbook;
}

class TExcelExport {
 public:
  TExcelExport();
  ~TExcelExport();
  TExcelExport(const TExcelExport&) = delete;
  TExcelExport& operator=(const TExcelExport&) = delete;

  // A new workbook with one sheet (an empty name; opening an existing file is not offered).
  // 1 on success; -1 after the messages when the export folder cannot take a workbook.
  int OpenWorkbook(const QString& fileName);
  // Hidden while cells are written; made visible, the workbook is saved into the export
  // folder and opened in the spreadsheet program. Always 1.
  int SetVisible(bool flag);
  // One cell: 1 when written or when the text is empty (nothing is touched then), -1 after
  // a message when the sheet does not exist or the cell cannot be written.
  int WriteCell(int sheet, int column, int row, const QString& text, bool asText, bool fitColumn, bool bold);
  // The value only: number format, column width and font stay as they are.
  int WriteCell(int sheet, int column, int row, const QString& text);

  // The workbook being written (null before the first OpenWorkbook) and the file the last
  // SetVisible(true) saved it to; for tests and for the caller's own messages.
  const platform::TWorkbook* Workbook() const { return book_.get(); }
  QString SavedFile() const { return savedFile_; }

  // Where exports are saved: $TABEL_EXPORT_DIR, else a folder in the user's documents.
  static QString ExportFolder();
  // Whether a saved workbook is opened in the spreadsheet program: not when
  // $TABEL_EXPORT_OPEN is "0" (tests, unattended runs).
  static bool OpensSavedFiles();

 private:
  // Shows the error of the cell and returns false when the cell cannot be written.
  bool CellWritable(int sheet, int column, int row, const QString& text);

  std::unique_ptr<platform::TWorkbook> book_;
  QString savedFile_;
  bool visible_ = true;
};

// The export shared by the price list and the summary reports; lives as long as the program.
TExcelExport& SharedExcelExport();
