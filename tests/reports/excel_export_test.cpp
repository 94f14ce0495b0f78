#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>

#include "platform/workbook.h"
#include "reports/excel_export.h"
#include "tests/support/app_fixture.h"

using platform::MsgIcon;
using platform::NumericText;
using platform::TCell;
using platform::TWorkbook;

namespace {

// Sets an environment variable for the scope and puts back what was there.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const QByteArray& value) : name_(name), had_(qEnvironmentVariableIsSet(name)) {
    old_ = qgetenv(name);
    qputenv(name, value);
  }
  ~ScopedEnv() {
    if (had_)
      qputenv(name_, old_);
    else
      qunsetenv(name_);
  }

 private:
  const char* name_;
  bool had_;
  QByteArray old_;
};

// Exports go to a folder of this test alone and are never opened.
class ExcelExportTest : public ::testing::Test {
 protected:
  ExcelExportTest()
      : folder_(),
        dir_("TABEL_EXPORT_DIR", folder_.path().toUtf8()),
        open_("TABEL_EXPORT_OPEN", "0") {}

  QStringList SavedFiles() const { return QDir(folder_.path()).entryList({"*.xlsx"}, QDir::Files); }

  QTemporaryDir folder_;
  ScopedEnv dir_;
  ScopedEnv open_;
  testsupport::MessageRecorder messages_;
  TExcelExport excel_;
};

}  // namespace

TEST(Workbook, NumericTextRule) {
  struct Case {
    const char* text;
    bool numeric;
    double value;
  } cases[] = {
      {"0", true, 0},
      {"42", true, 42},
      {"-17", true, -17},
      {"1234.5", true, 1234.5},
      {"0,95", true, 0.95},  // the workstation's decimal comma
      {"-0,5", true, -0.5},
      {"-0", true, 0},
      {"123456789012345", true, 123456789012345.0},  // 15 digits: a double keeps them all
      {"0.000123456789012345", true, 0.000123456789012345},
      {"007", false, 0},                // a code with its leading zeros
      {"-007", false, 0},
      {"00,5", false, 0},
      {"1234567890123456", false, 0},   // 16 digits would lose the last one
      {"12 шт", false, 0},
      {"1 234,50", false, 0},           // digit groups: left as shown
      {"1e5", false, 0},
      {"+5", false, 0},
      {".5", false, 0},
      {"5.", false, 0},
      {"1.2.3", false, 0},
      {"1,2,3", false, 0},
      {" 12", false, 0},
      {"12 ", false, 0},
      {"-", false, 0},
      {"", false, 0},
      {"١٢", false, 0},  // digits of another script
      {"Марка изделия", false, 0},
  };
  for (const Case& c : cases) {
    double value = -999;
    EXPECT_EQ(NumericText(QString::fromUtf8(c.text), &value), c.numeric) << c.text;
    if (c.numeric) {
      EXPECT_DOUBLE_EQ(value, c.value) << c.text;
      if (c.value == 0) EXPECT_FALSE(std::signbit(value)) << c.text << " must not read as a negative zero";
    }
  }
}

TEST(Workbook, SheetsAddressesAndFit) {
  TWorkbook book;
  EXPECT_EQ(book.SheetCount(), 1);
  EXPECT_FALSE(book.HasSheet(0));
  EXPECT_FALSE(book.HasSheet(2));
  EXPECT_EQ(book.AddSheet(), 2);

  // Addresses the workbook cannot hold change nothing.
  EXPECT_FALSE(book.SetValue(3, 1, 1, "x"));
  EXPECT_FALSE(book.SetValue(1, 0, 1, "x"));
  EXPECT_FALSE(book.SetValue(1, 1, 0, "x"));
  EXPECT_FALSE(book.SetValue(1, TWorkbook::kMaxColumns + 1, 1, "x"));
  EXPECT_FALSE(book.SetValue(1, 1, TWorkbook::kMaxRows + 1, "x"));
  EXPECT_FALSE(book.SetValue(1, 1, 1, QString(TWorkbook::kMaxTextLength + 1, 'x')));
  EXPECT_EQ(book.Cell(1, 1, 1), nullptr);
  EXPECT_TRUE(book.SetValue(1, TWorkbook::kMaxColumns, TWorkbook::kMaxRows, "угол"));

  // The fitted width follows the longest text, counted in characters (Cyrillic too),
  // grows and shrinks with it, and ignores other columns and sheets.
  book.SetValue(1, 2, 1, "ab");
  book.SetValue(1, 2, 5, "цех");
  book.SetValue(1, 3, 1, "очень длинный текст другого столбца");
  book.SetValue(2, 2, 1, "очень длинный текст другого листа");
  book.FitColumn(1, 2);
  const double three = book.ColumnWidth(1, 2);
  EXPECT_GE(three, 3.0);
  EXPECT_LT(three, 8.0);

  book.SetValue(1, 2, 9, "двенадцать б");  // 12 characters
  book.FitColumn(1, 2);
  const double twelve = book.ColumnWidth(1, 2);
  EXPECT_GE(twelve, 12.0);
  EXPECT_LT(twelve, 17.0);

  book.SetBold(1, 2, 9, true);
  book.FitColumn(1, 2);
  EXPECT_GT(book.ColumnWidth(1, 2), twelve) << "bold text is wider";

  book.SetValue(1, 2, 9, "x");  // the widest text shrinks: back to the three letters
  book.FitColumn(1, 2);
  EXPECT_DOUBLE_EQ(book.ColumnWidth(1, 2), three);
  EXPECT_DOUBLE_EQ(book.ColumnWidth(1, 3), TWorkbook::kDefaultColumnWidth) << "never fitted";

  book.SetValue(1, 4, 1, QString(1000, QChar(0x0416)));
  book.FitColumn(1, 4);
  EXPECT_DOUBLE_EQ(book.ColumnWidth(1, 4), TWorkbook::kMaxColumnWidth);
  book.FitColumn(1, 7);  // an empty column keeps the default width
  EXPECT_DOUBLE_EQ(book.ColumnWidth(1, 7), TWorkbook::kDefaultColumnWidth);
}

TEST_F(ExcelExportTest, EnvironmentChoosesFolderAndOpening) {
  EXPECT_EQ(TExcelExport::ExportFolder(), folder_.path());
  EXPECT_FALSE(TExcelExport::OpensSavedFiles());
  {
    ScopedEnv empty("TABEL_EXPORT_DIR", "");
    EXPECT_EQ(TExcelExport::ExportFolder(),
              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/Табель");
  }
  for (const char* value : {"1", "", "yes"}) {
    ScopedEnv open("TABEL_EXPORT_OPEN", value);
    EXPECT_TRUE(TExcelExport::OpensSavedFiles()) << value;
  }
}

TEST_F(ExcelExportTest, OpenWorkbookFailures) {
  // A folder that cannot exist: its parent is a regular file.
  QFile plain(folder_.filePath("plain"));
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  plain.close();
  ASSERT_EQ(excel_.OpenWorkbook(""), 1);
  {
    ScopedEnv blocked("TABEL_EXPORT_DIR", folder_.filePath("plain/exports").toUtf8());
    EXPECT_EQ(excel_.OpenWorkbook(""), -1);
  }
  ASSERT_EQ(messages_.Calls().size(), 2u);
  EXPECT_EQ(messages_.Calls()[0].text, "Невозможно открыть Microsoft Excel.");
  EXPECT_EQ(messages_.Calls()[1].text, "Ошибка открытия файла Microsoft Excel.");
  for (const auto& m : messages_.Calls()) {
    EXPECT_EQ(m.caption, "Ошибка");
    EXPECT_EQ(m.icon, MsgIcon::Error);
    EXPECT_EQ(m.buttons, platform::mbOK);
  }
  EXPECT_EQ(excel_.Workbook(), nullptr) << "a failed open leaves no workbook to write into";
  EXPECT_EQ(excel_.WriteCell(1, 1, 1, "x"), -1);

  // Opening an existing file by name is not offered.
  messages_.Clear();
  EXPECT_EQ(excel_.OpenWorkbook("/tmp/book.xlsx"), -1);
  ASSERT_EQ(messages_.Calls().size(), 1u);
  EXPECT_EQ(messages_.Calls()[0].text, "Ошибка открытия файла Microsoft Excel.");
  EXPECT_EQ(messages_.Calls()[0].caption, "Ошибка");

  // A usable folder that does not exist yet is created; nothing is left in it.
  messages_.Clear();
  ScopedEnv fresh("TABEL_EXPORT_DIR", folder_.filePath("a/b").toUtf8());
  EXPECT_EQ(excel_.OpenWorkbook(""), 1);
  EXPECT_TRUE(messages_.Calls().empty());
  ASSERT_NE(excel_.Workbook(), nullptr);
  EXPECT_EQ(excel_.Workbook()->SheetCount(), 1);
  EXPECT_TRUE(QDir(folder_.filePath("a/b")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

TEST_F(ExcelExportTest, WriteCellErrorsAndEmptyText) {
  // Before any workbook is open, every sheet is a wrong sheet.
  EXPECT_EQ(excel_.WriteCell(1, 1, 1, "x", false, false, false), -1);
  EXPECT_EQ(messages_.Calls().at(0).caption, "Ошибочный номер листа Microsoft Excel");
  messages_.Clear();

  ASSERT_EQ(excel_.OpenWorkbook(""), 1);
  struct Case {
    int sheet, column, row;
    const char* text;
    const char* caption;
  } cases[] = {
      {2, 1, 3, "Ошибка при записи: лист 2, столбец 1, строка 3", "Ошибочный номер листа Microsoft Excel"},
      {0, 4, 5, "Ошибка при записи: лист 0, столбец 4, строка 5", "Ошибочный номер листа Microsoft Excel"},
      {1, 0, 3, "Ошибка при записи: лист 1, столбец 0, строка 3", "Ошибка Microsoft Excel"},
      {1, 2, -1, "Ошибка при записи: лист 1, столбец 2, строка -1", "Ошибка Microsoft Excel"},
      {1, 16385, 1, "Ошибка при записи: лист 1, столбец 16385, строка 1", "Ошибка Microsoft Excel"},
  };
  for (const Case& c : cases) {
    for (bool shortForm : {false, true}) {
      messages_.Clear();
      const int result = shortForm ? excel_.WriteCell(c.sheet, c.column, c.row, "x")
                                   : excel_.WriteCell(c.sheet, c.column, c.row, "x", true, true, true);
      EXPECT_EQ(result, -1) << c.text;
      ASSERT_EQ(messages_.Calls().size(), 1u) << c.text;
      EXPECT_EQ(messages_.Calls()[0].text, QString::fromUtf8(c.text));
      EXPECT_EQ(messages_.Calls()[0].caption, QString::fromUtf8(c.caption));
      EXPECT_EQ(messages_.Calls()[0].icon, MsgIcon::Error);
    }
  }

  // An empty value (a NULL day cell) leaves the cell blank and unformatted, silently,
  // even on a wrong sheet.
  messages_.Clear();
  EXPECT_EQ(excel_.WriteCell(1, 2, 2, "", true, true, true), 1);
  EXPECT_EQ(excel_.WriteCell(1, 2, 2, ""), 1);
  EXPECT_EQ(excel_.WriteCell(5, 2, 2, "", true, true, true), 1);
  EXPECT_TRUE(messages_.Calls().empty());
  EXPECT_EQ(excel_.Workbook()->Cell(1, 2, 2), nullptr);
  EXPECT_DOUBLE_EQ(excel_.Workbook()->ColumnWidth(1, 2), TWorkbook::kDefaultColumnWidth);

  // A refused text (longer than a cell takes) leaves the cell as it was.
  ASSERT_EQ(excel_.WriteCell(1, 1, 1, "было", false, false, true), 1);
  EXPECT_EQ(excel_.WriteCell(1, 1, 1, QString(40000, 'x'), true, true, false), -1);
  EXPECT_EQ(messages_.Calls().back().caption, "Ошибка Microsoft Excel");
  const TCell* cell = excel_.Workbook()->Cell(1, 1, 1);
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->value, "было");
  EXPECT_TRUE(cell->bold);
  EXPECT_FALSE(cell->asText);
}

TEST_F(ExcelExportTest, FlagsOfTheLongFormAndTheShortForm) {
  ASSERT_EQ(excel_.OpenWorkbook(""), 1);
  const TWorkbook& book = *excel_.Workbook();

  // Long form: text format and fit as asked, bold set or cleared every time.
  ASSERT_EQ(excel_.WriteCell(1, 1, 1, "Марка изделия", true, true, true), 1);
  const double fitted = book.ColumnWidth(1, 1);
  EXPECT_GE(fitted, 13.0);
  ASSERT_EQ(excel_.WriteCell(1, 1, 1, "Марка", false, false, false), 1);
  const TCell* cell = book.Cell(1, 1, 1);
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->value, "Марка");
  EXPECT_TRUE(cell->asText) << "the text format stays once given";
  EXPECT_FALSE(cell->bold) << "bold is cleared when not asked";
  EXPECT_DOUBLE_EQ(book.ColumnWidth(1, 1), fitted) << "no fit asked";

  // Short form: the value only; format, width and font stay as they are.
  ASSERT_EQ(excel_.WriteCell(1, 1, 2, "Итог", true, false, true), 1);
  ASSERT_EQ(excel_.WriteCell(1, 1, 2, "Итоговая сумма по всему цеху за месяц"), 1);
  cell = book.Cell(1, 1, 2);
  EXPECT_EQ(cell->value, "Итоговая сумма по всему цеху за месяц");
  EXPECT_TRUE(cell->asText);
  EXPECT_TRUE(cell->bold);
  EXPECT_DOUBLE_EQ(book.ColumnWidth(1, 1), fitted);

  ASSERT_EQ(excel_.WriteCell(1, 3, 4, "0,95"), 1);
  cell = book.Cell(1, 3, 4);
  EXPECT_FALSE(cell->asText);
  EXPECT_FALSE(cell->bold);
  EXPECT_DOUBLE_EQ(book.ColumnWidth(1, 3), TWorkbook::kDefaultColumnWidth);

  // A fit after a longer value widens the column to it.
  ASSERT_EQ(excel_.WriteCell(1, 1, 3, "x", false, true, false), 1);
  EXPECT_GT(book.ColumnWidth(1, 1), fitted);
  EXPECT_TRUE(messages_.Calls().empty());
}

TEST_F(ExcelExportTest, SavingWhenMadeVisible) {
  // No workbook, or hidden: nothing is saved.
  EXPECT_EQ(excel_.SetVisible(true), 1);
  ASSERT_EQ(excel_.OpenWorkbook(""), 1);
  excel_.WriteCell(1, 1, 1, "Табель");
  EXPECT_EQ(excel_.SetVisible(false), 1);
  EXPECT_TRUE(SavedFiles().isEmpty());
  EXPECT_TRUE(excel_.SavedFile().isEmpty());

  // Each showing saves a file of its own in the export folder.
  EXPECT_EQ(excel_.SetVisible(true), 1);
  const QString first = excel_.SavedFile();
  EXPECT_EQ(excel_.SetVisible(true), 1);
  const QString second = excel_.SavedFile();
  EXPECT_NE(first, second);
  EXPECT_EQ(QFileInfo(first).absolutePath(), QFileInfo(folder_.path()).absoluteFilePath());
  EXPECT_TRUE(QFileInfo(first).fileName().startsWith("Выгрузка ")) << first.toStdString();
  EXPECT_EQ(SavedFiles().size(), 2);
  for (const QString& f : {first, second}) EXPECT_GT(QFileInfo(f).size(), 0) << f.toStdString();
  EXPECT_TRUE(messages_.Calls().empty());

  // A folder that became unusable after the workbook was opened: the user is told.
  QFile plain(folder_.filePath("plain"));
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  plain.close();
  ASSERT_EQ(excel_.OpenWorkbook(""), 1);
  excel_.WriteCell(1, 1, 1, "Табель");
  ScopedEnv blocked("TABEL_EXPORT_DIR", folder_.filePath("plain/exports").toUtf8());
  EXPECT_EQ(excel_.SetVisible(true), 1);
  ASSERT_EQ(messages_.Calls().size(), 1u);
  EXPECT_EQ(messages_.Calls()[0].caption, "Ошибка Microsoft Excel");
  EXPECT_EQ(messages_.Calls()[0].icon, MsgIcon::Error);
  EXPECT_TRUE(messages_.Calls()[0].text.contains("plain")) << messages_.Calls()[0].text.toStdString();
  EXPECT_TRUE(excel_.SavedFile().isEmpty());
}

TEST_F(ExcelExportTest, SavedFileReadsBackInAnotherProgram) {
  const QString python = QStringLiteral("/usr/bin/python3");
  if (!QFileInfo::exists(python)) GTEST_SKIP() << "no /usr/bin/python3";
  if (QProcess::execute(python, {"-c", "import openpyxl"}) != 0) GTEST_SKIP() << "no openpyxl";

  ASSERT_EQ(excel_.OpenWorkbook(""), 1);
  excel_.WriteCell(1, 1, 1, "Марка изделия", false, true, true);
  excel_.WriteCell(1, 2, 1, "Сумма", false, true, true);
  excel_.WriteCell(1, 1, 2, "007", true, true, false);
  excel_.WriteCell(1, 2, 2, "1234.5", false, false, false);
  excel_.WriteCell(1, 2, 3, "0,95");
  excel_.WriteCell(1, 1, 3, "Д'Артаньян \\ 12 шт");
  ASSERT_EQ(excel_.SetVisible(true), 1);
  ASSERT_TRUE(messages_.Calls().empty());
  ASSERT_FALSE(excel_.SavedFile().isEmpty());

  const char* script = R"(
import json, sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.worksheets[0]
out = {"sheets": wb.sheetnames, "width_A": ws.column_dimensions["A"].width}
for row in ws.iter_rows():
    for c in row:
        if c.value is not None:
            out[c.coordinate] = {"type": c.data_type, "value": c.value, "bold": bool(c.font.b),
                                 "format": c.number_format}
sys.stdout.buffer.write(json.dumps(out, ensure_ascii=False).encode("utf-8"))
)";
  QProcess py;
  py.start(python, {"-c", script, excel_.SavedFile()});
  ASSERT_TRUE(py.waitForFinished(60000));
  ASSERT_EQ(py.exitCode(), 0) << py.readAllStandardError().toStdString();
  const QJsonObject book = QJsonDocument::fromJson(py.readAllStandardOutput()).object();
  ASSERT_FALSE(book.isEmpty());

  EXPECT_EQ(book["sheets"].toArray().size(), 1);
  EXPECT_GE(book["width_A"].toDouble(), 13.0);
  struct Expect {
    const char* cell;
    const char* type;
    QVariant value;
    bool bold;
    const char* format;
  } expected[] = {
      {"A1", "s", QString("Марка изделия"), true, "General"},
      {"B1", "s", QString("Сумма"), true, "General"},
      {"A2", "s", QString("007"), false, "@"},
      {"B2", "n", 1234.5, false, "General"},
      {"B3", "n", 0.95, false, "General"},
      {"A3", "s", QString("Д'Артаньян \\ 12 шт"), false, "General"},
  };
  for (const Expect& e : expected) {
    const QJsonObject c = book[e.cell].toObject();
    ASSERT_FALSE(c.isEmpty()) << e.cell;
    EXPECT_EQ(c["type"].toString(), e.type) << e.cell;
    if (e.value.typeId() == QMetaType::Double)
      EXPECT_DOUBLE_EQ(c["value"].toDouble(), e.value.toDouble()) << e.cell;
    else
      EXPECT_EQ(c["value"].toString(), e.value.toString()) << e.cell;
    EXPECT_EQ(c["bold"].toBool(), e.bold) << e.cell;
    EXPECT_EQ(c["format"].toString(), e.format) << e.cell;
  }
}
