#pragma once
// Queries and commands over the application's one database connection.
//
// A query (TADOQuery) has SQL text with named parameters (":data"), reads its whole
// result into memory on Open (a static client cursor), and offers a 1-based record
// number, First/Next/Prior/Last/Eof, field access by name, Locate and a client-side
// Filter. A command (TADOCommand) has a command text and Execute. Parameters are
// written into the statement by the program: texts through QuotedStr, dates and
// numbers in a fixed format, so no typed value is ever pasted into SQL unquoted.
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include "platform/filter.h"

namespace platform {

// Name of the one connection (QSqlDatabase) every dataset runs on.
inline constexpr const char* kConnectionName = "ADO_DB";

// A value read from a field, with the conversions the windows use.
class TField {
 public:
  TField() = default;
  explicit TField(QVariant v) : v_(std::move(v)) {}
  const QVariant& Value() const { return v_; }
  bool IsNull() const { return v_.isNull(); }
  QString AsString() const;  // dates as DD.MM.YYYY, null as ""
  int AsInteger() const;     // null as 0; a text is read as a number (throws when it is none)
  qlonglong AsLargeInt() const;
  double AsFloat() const;
  QDate AsDate() const;

 private:
  QVariant v_;
};

class TParameter {
 public:
  QString Name;
  QVariant Value;
};

class TParameters {
 public:
  // Rebuilds the list from the names used in an SQL text, keeping the values of names still present.
  void Sync(const QString& sql);
  TParameter* ParamByName(const QString& name);  // throws std::out_of_range when unknown
  int Count() const { return list_.size(); }
  const TParameter& operator[](int i) const { return list_[i]; }

 private:
  QVector<TParameter> list_;
};

// Parameter names in an SQL text, in order of first appearance. ":name" inside quotes,
// quoted identifiers, comments and dollar-quoted bodies is not a parameter, nor is a "::" cast.
QStringList ParameterNames(const QString& sql);

// The statement with each parameter replaced by its value as an SQL literal.
QString BindParameters(const QString& sql, const TParameters& params);

// A value as an SQL literal: NULL, a number, DATE '...', TIMESTAMP '...', or a quoted text.
QString SqlLiteral(const QVariant& value);

// Runs a statement on the connection and returns the rows; throws EDatabaseError.
struct ResultSet {
  QStringList fields;
  QVector<QVector<QVariant>> rows;
};
ResultSet RunStatement(const QString& statement, bool wantRows, int* rowsAffected = nullptr);

// The server's own words from the driver's error text, without severity word and SQLSTATE.
QString ServerMessage(const QString& databaseText, const QString& sqlState, const QString& fallback);

class TADOQuery : public QObject {
  Q_OBJECT
 public:
  explicit TADOQuery(QObject* parent = nullptr, const QString& sql = {});

  // SQL text, as a list of lines like the windows build it (Clear, Add).
  void SetSQL(const QString& sql);
  QString SQLText() const { return sql_.join(QLatin1Char('\n')); }
  void ClearSQL();
  void AddSQL(const QString& line);
  TParameters& Parameters() { return params_; }
  TParameter* ParamByName(const QString& name) { return params_.ParamByName(name); }

  void Open();
  void Close();
  bool Active() const { return active_; }
  void Requery();  // close and open again with the same parameters
  // Re-reads the rows and moves back to the record number it had, when that row still
  // exists; with toLastWhenShorter, to the last row when the list has become shorter.
  void Refresh(bool toLastWhenShorter = false);

  // Writing through the query: the table its rows come from and that table's key.
  // Insert or Edit starts a row, SetFieldValue fills it, Post writes it; Delete removes
  // the current row from the table. The query is re-read by the caller afterwards.
  enum class State { Browse, Insert, Edit };
  void SetUpdateTable(const QString& table, const QString& keyField);
  void Insert();
  void Edit();
  void SetFieldValue(const QString& name, const QVariant& value);
  void Post();
  void Cancel();
  void Delete();
  State EditState() const { return state_; }

  // Cursor over the rows that pass the filter.
  int RecordCount() const { return visible_.size(); }
  bool IsEmpty() const { return visible_.isEmpty(); }
  int RecNo() const;                 // 1-based; 0 when there is no current row
  bool SetRecNo(int recNo);          // false (and nothing moves) when out of range
  void First();
  void Last();
  void Next();
  void Prior();
  bool Eof() const { return eof_; }
  bool Bof() const { return bof_; }

  // Fields of the current row; names compare without regard to case.
  QStringList FieldNames() const { return fields_; }
  int FieldIndex(const QString& name) const;  // -1 when absent
  TField FieldByName(const QString& name) const;  // throws when unknown or the query is closed
  QVariant ValueAt(int visibleRow, int column) const;  // 0-based row among the visible ones
  TField FieldAt(int recNo, const QString& name) const;  // a field of any row, by record number

  // Moves to the first row whose field equals the value (texts without regard to case);
  // with partial, a text field only has to start with the value.
  bool Locate(const QString& field, const QVariant& value, bool caseInsensitive = true, bool partial = false);

  QString Filter() const { return filterText_; }
  void SetFilter(const QString& filter);
  bool Filtered() const { return filtered_; }
  void SetFiltered(bool on);
  // The search of the lists: rows whose field starts with the typed text (as typed, any
  // letter case); an empty text switches the filter off.
  void SearchByPrefix(const QString& field, const QString& typed);

 signals:
  void layoutReset();         // opened, closed or filtered: the row set changed
  void recNoChanged(int recNo);

 private:
  void ApplyFilter();
  void SetCurrent(int index);
  QVariant Raw(int row, const QString& field) const;

  QStringList sql_;
  TParameters params_;
  bool active_ = false;
  QStringList fields_;
  QVector<QVector<QVariant>> rows_;
  QVector<int> visible_;
  int cur_ = -1;
  bool eof_ = true;
  bool bof_ = true;
  QString filterText_;
  FilterExpr filter_;
  bool filtered_ = false;
  QString updateTable_;
  QString keyField_;
  State state_ = State::Browse;
  QVector<QPair<QString, QVariant>> pending_;
};

class TADOCommand : public QObject {
  Q_OBJECT
 public:
  explicit TADOCommand(QObject* parent = nullptr, const QString& text = {});

  void SetCommandText(const QString& text);
  QString CommandText() const { return text_; }
  TParameters& Parameters() { return params_; }
  TParameter* ParamByName(const QString& name) { return params_.ParamByName(name); }

  // Runs the statement; returns the number of rows it changed.
  int Execute();

 private:
  QString text_;
  TParameters params_;
};

// Statements run since the counter was last reset (for tests and benchmarks that
// check how many round trips a step makes).
int StatementCount();
void ResetStatementCount();

}  // namespace platform

namespace platform {

// A unit of work: statements run between construction and Commit() stand or fall
// together; leaving the scope without Commit() rolls them back.
class TTransaction {
 public:
  TTransaction();
  ~TTransaction();
  TTransaction(const TTransaction&) = delete;
  TTransaction& operator=(const TTransaction&) = delete;
  void Commit();

 private:
  bool open_ = false;
};

}  // namespace platform
