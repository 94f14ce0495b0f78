#include "reports/excel_export.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>
#include <exception>

#include "platform/app_seams.h"
#include "platform/workbook.h"

namespace {

const QString kCannotStart = QStringLiteral("Невозможно открыть Microsoft Excel.");
const QString kCannotOpen = QStringLiteral("Ошибка открытия файла Microsoft Excel.");
const QString kErrorCaption = QStringLiteral("Ошибка");
const QString kSheetCaption = QStringLiteral("Ошибочный номер листа Microsoft Excel");
const QString kCellCaption = QStringLiteral("Ошибка Microsoft Excel");

// An error box that never throws back into the export.
void ShowError(const QString& text, const QString& caption) {
  try {
    platform::MessageDlg(text, caption, platform::MsgIcon::Error, platform::mbOK);
  } catch (...) {
  }
}

QString CellError(int sheet, int column, int row) {
  return QStringLiteral("Ошибка при записи: лист %1, столбец %2, строка %3").arg(sheet).arg(column).arg(row);
}

// The export folder, created when missing, and proved writable by creating a file in it.
bool FolderUsable(const QString& folder) {
  if (!QDir().mkpath(folder)) return false;
  QTemporaryFile probe(folder + QStringLiteral("/.probe-XXXXXX"));
  return probe.open();  // removed when it goes out of scope
}

// Claims a new file name in the folder ("Выгрузка 2026-12-11 14-05-33.xlsx", then " (2)",
// " (3)" ...) by creating it, so two exports in the same second never share a file.
QString ClaimFileName(const QString& folder) {
  const QString stem = QStringLiteral("Выгрузка ") +
                       QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
  for (int n = 1; n < 1000; ++n) {
    const QString name = n == 1 ? stem : QStringLiteral("%1 (%2)").arg(stem).arg(n);
    const QString path = QDir(folder).filePath(name + QStringLiteral(".xlsx"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return path;
    if (!file.exists()) return {};  // not taken, just not creatable: the folder is unusable
  }
  return {};
}

}  // namespace

TExcelExport::TExcelExport() = default;
TExcelExport::~TExcelExport() = default;

int TExcelExport::OpenWorkbook(const QString& fileName) {
  try {
    book_.reset();
    savedFile_.clear();
    if (!fileName.isEmpty()) {
      // Opening an existing file is not offered: only new workbooks are written.
      ShowError(kCannotOpen, kErrorCaption);
      return -1;
    }
    if (!FolderUsable(ExportFolder())) {
      ShowError(kCannotStart, kErrorCaption);
      ShowError(kCannotOpen, kErrorCaption);
      return -1;
    }
    book_ = std::make_unique<platform::TWorkbook>();
    return 1;
  } catch (...) {
    book_.reset();
    ShowError(kCannotOpen, kErrorCaption);
    return -1;
  }
}

int TExcelExport::SetVisible(bool flag) {
  try {
    visible_ = flag;
    if (!flag || !book_) return 1;
    const QString folder = ExportFolder();
    const QString path = QDir().mkpath(folder) ? ClaimFileName(folder) : QString();
    if (path.isEmpty()) {
      ShowError(QStringLiteral("Не удалось сохранить книгу: папка «%1» недоступна для записи.")
                    .arg(QDir::toNativeSeparators(folder)),
                kCellCaption);
      return 1;
    }
    QString error;
    if (!book_->SaveXlsx(path, &error)) {
      QFile::remove(path);
      ShowError(QStringLiteral("Не удалось сохранить книгу в файл «%1»:\n%2")
                    .arg(QDir::toNativeSeparators(path), error),
                kCellCaption);
      return 1;
    }
    savedFile_ = path;
    if (OpensSavedFiles() && !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
      ShowError(QStringLiteral("Книга сохранена в файл «%1», но открыть её не удалось.")
                    .arg(QDir::toNativeSeparators(path)),
                kCellCaption);
  } catch (const std::exception& e) {
    ShowError(QStringLiteral("Не удалось сохранить книгу: %1").arg(QString::fromLocal8Bit(e.what())),
              kCellCaption);
  } catch (...) {
    ShowError(QStringLiteral("Не удалось сохранить книгу."), kCellCaption);
  }
  return 1;
}

bool TExcelExport::CellWritable(int sheet, int column, int row, const QString& text) {
  const QString error = CellError(sheet, column, row);
  if (!book_ || !book_->HasSheet(sheet)) {
    ShowError(error, kSheetCaption);
    return false;
  }
  // The address and the length are checked before anything changes, so a refused cell
  // is left exactly as it was.
  if (!book_->ValidCell(sheet, column, row) || text.size() > platform::TWorkbook::kMaxTextLength) {
    ShowError(error, kCellCaption);
    return false;
  }
  return true;
}

int TExcelExport::WriteCell(int sheet, int column, int row, const QString& text, bool asText, bool fitColumn,
                            bool bold) {
  if (text.isEmpty()) return 1;
  try {
    if (!CellWritable(sheet, column, row, text)) return -1;
    if (asText) book_->SetAsText(sheet, column, row, true);
    book_->SetValue(sheet, column, row, text);
    // Bold before the fit, so that the width is measured in the font the cell shows.
    book_->SetBold(sheet, column, row, bold);
    if (fitColumn) book_->FitColumn(sheet, column);
    return 1;
  } catch (...) {
    ShowError(CellError(sheet, column, row), kCellCaption);
    return -1;
  }
}

int TExcelExport::WriteCell(int sheet, int column, int row, const QString& text) {
  if (text.isEmpty()) return 1;
  try {
    if (!CellWritable(sheet, column, row, text)) return -1;
    book_->SetValue(sheet, column, row, text);
    return 1;
  } catch (...) {
    ShowError(CellError(sheet, column, row), kCellCaption);
    return -1;
  }
}

QString TExcelExport::ExportFolder() {
  const QString configured = qEnvironmentVariable("TABEL_EXPORT_DIR");
  if (!configured.isEmpty()) return configured;
  QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (documents.isEmpty()) documents = QDir::homePath();
  return documents + QStringLiteral("/Табель");
}

bool TExcelExport::OpensSavedFiles() { return qEnvironmentVariable("TABEL_EXPORT_OPEN") != QLatin1String("0"); }

TExcelExport& SharedExcelExport() {
  static TExcelExport shared;
  return shared;
}
