#include "reports/excel_export.h"

#include "platform/workbook.h"

// Placeholder until the workbook writer lands.
TExcelExport::TExcelExport() = default;
TExcelExport::~TExcelExport() = default;
int TExcelExport::OpenWorkbook(const QString&) { return -1; }
int TExcelExport::SetVisible(bool) { return 1; }
int TExcelExport::WriteCell(int, int, int, const QString&, bool, bool, bool) { return -1; }
int TExcelExport::WriteCell(int, int, int, const QString&) { return -1; }
QString TExcelExport::ExportFolder() { return {}; }
bool TExcelExport::OpensSavedFiles() { return false; }
TExcelExport& SharedExcelExport() {
  static TExcelExport shared;
  return shared;
}
