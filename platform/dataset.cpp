#include "platform/dataset.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QRegularExpression>
#include <QSqlRecord>
#include <stdexcept>

#include "platform/db_error.h"
#include "platform/sql_quote.h"

namespace platform {

namespace {

int g_statementCount = 0;

bool IsIdentChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

// Walks an SQL text and calls onParam(start, length, name) for every named parameter.
template <typename F>
void ScanParameters(const QString& sql, F onParam) {
  const int n = sql.size();
  int i = 0;
  while (i < n) {
    const QChar c = sql[i];
    if (c == u'\'' || c == u'"') {
      const QChar q = c;
      ++i;
      while (i < n) {
        if (sql[i] == q) {
          if (i + 1 < n && sql[i + 1] == q) { i += 2; continue; }
          break;
        }
        ++i;
      }
      ++i;
    } else if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
      while (i < n && sql[i] != u'\n') ++i;
    } else if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
      const int end = sql.indexOf(QLatin1String("*/"), i + 2);
      i = end < 0 ? n : end + 2;
    } else if (c == u'$') {
      // Dollar quoting: $$...$$ or $tag$...$tag$.
      int j = i + 1;
      while (j < n && IsIdentChar(sql[j])) ++j;
      if (j < n && sql[j] == u'$' && (j == i + 1 || !sql[i + 1].isDigit())) {
        const QString tag = sql.mid(i, j - i + 1);
        const int end = sql.indexOf(tag, j + 1);
        i = end < 0 ? n : end + tag.size();
      } else {
        i = j;
      }
    } else if (c == u':') {
      if (i + 1 < n && sql[i + 1] == u':') { i += 2; continue; }  // a cast
      int j = i + 1;
      while (j < n && IsIdentChar(sql[j])) ++j;
      if (j > i + 1 && !sql[i + 1].isDigit()) onParam(i, j - i, sql.mid(i + 1, j - i - 1));
      i = j;
    } else {
      ++i;
    }
  }
}

}  // namespace

// ---- TField ----

QString TField::AsString() const {
  if (v_.isNull()) return {};
  switch (v_.typeId()) {
    case QMetaType::QDate: return DateText(v_.toDate());
    case QMetaType::QDateTime: return v_.toDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    case QMetaType::Double: return QString::number(v_.toDouble(), 'g', 15);
    default: return v_.toString();
  }
}

int TField::AsInteger() const { return static_cast<int>(AsLargeInt()); }

qlonglong TField::AsLargeInt() const {
  if (v_.isNull()) return 0;
  if (v_.typeId() == QMetaType::Double) return qRound64(v_.toDouble());
  bool ok = false;
  const qlonglong r = v_.toString().trimmed().toLongLong(&ok);
  if (ok) return r;
  const double d = v_.toString().trimmed().toDouble(&ok);
  if (!ok) throw std::invalid_argument(("'" + v_.toString() + "' is not a valid integer value").toStdString());
  return qRound64(d);
}

double TField::AsFloat() const {
  if (v_.isNull()) return 0.0;
  bool ok = false;
  const double d = v_.toString().trimmed().toDouble(&ok);
  if (!ok && v_.typeId() != QMetaType::Double)
    throw std::invalid_argument(("'" + v_.toString() + "' is not a valid number").toStdString());
  return ok ? d : v_.toDouble();
}

QDate TField::AsDate() const {
  if (v_.typeId() == QMetaType::QDate) return v_.toDate();
  if (v_.typeId() == QMetaType::QDateTime) return v_.toDateTime().date();
  return QDate::fromString(v_.toString().trimmed(), QStringLiteral("dd.MM.yyyy"));
}

// ---- parameters ----

QStringList ParameterNames(const QString& sql) {
  QStringList names;
  ScanParameters(sql, [&](int, int, const QString& name) {
    if (!names.contains(name, Qt::CaseInsensitive)) names << name;
  });
  return names;
}

void TParameters::Sync(const QString& sql) {
  QVector<TParameter> next;
  for (const QString& name : ParameterNames(sql)) {
    TParameter p{name, {}};
    for (const TParameter& old : list_)
      if (old.Name.compare(name, Qt::CaseInsensitive) == 0) p.Value = old.Value;
    next << p;
  }
  list_ = next;
}

TParameter* TParameters::ParamByName(const QString& name) {
  for (TParameter& p : list_)
    if (p.Name.compare(name, Qt::CaseInsensitive) == 0) return &p;
  throw std::out_of_range(("Parameter '" + name + "' not found").toStdString());
}

QString SqlLiteral(const QVariant& v) {
  if (v.isNull() || !v.isValid()) return QStringLiteral("NULL");
  switch (v.typeId()) {
    case QMetaType::Bool: return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Short: case QMetaType::UShort: case QMetaType::Long: case QMetaType::ULong:
      return QString::number(v.toLongLong());
    case QMetaType::Double: case QMetaType::Float:
      return QString::number(v.toDouble(), 'g', 15);
    case QMetaType::QDate:
      return QStringLiteral("DATE '%1'").arg(v.toDate().toString(Qt::ISODate));
    case QMetaType::QDateTime:
      return QStringLiteral("TIMESTAMP '%1'").arg(v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    default:
      return QuotedStr(v.toString());
  }
}

QString BindParameters(const QString& sql, const TParameters& params) {
  QString out;
  int last = 0;
  ScanParameters(sql, [&](int start, int len, const QString& name) {
    out += QStringView(sql).mid(last, start - last);
    QVariant value;
    for (int i = 0; i < params.Count(); ++i)
      if (params[i].Name.compare(name, Qt::CaseInsensitive) == 0) value = params[i].Value;
    out += SqlLiteral(value);
    last = start + len;
  });
  out += QStringView(sql).mid(last);
  return out;
}

ResultSet RunStatement(const QString& statement, bool wantRows, int* rowsAffected) {
  QSqlDatabase db = QSqlDatabase::database(QLatin1String(kConnectionName), false);
  if (!db.isOpen()) throw EDatabaseError(QStringLiteral("Нет соединения с базой данных"), {}, statement);
  QSqlQuery q(db);
  q.setForwardOnly(true);
  ++g_statementCount;
  if (!q.exec(statement)) {
    const QSqlError e = q.lastError();
    throw EDatabaseError(ServerMessage(e.databaseText(), e.nativeErrorCode(), e.text()), e.nativeErrorCode(),
                         statement);
  }
  ResultSet rs;
  if (rowsAffected) *rowsAffected = q.numRowsAffected();
  if (wantRows && q.isSelect()) {
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i) rs.fields << rec.fieldName(i);
    while (q.next()) {
      QVector<QVariant> row(rec.count());
      for (int i = 0; i < rec.count(); ++i) row[i] = q.value(i);
      rs.rows << row;
    }
  }
  return rs;
}

QString ServerMessage(const QString& databaseText, const QString& sqlState, const QString& fallback) {
  QString msg = databaseText.trimmed();
  // The driver appends the SQLSTATE in parentheses; the severity word leads the text.
  if (!sqlState.isEmpty() && msg.endsWith(QLatin1Char('(') + sqlState + QLatin1Char(')')))
    msg.chop(sqlState.size() + 2);
  static const QRegularExpression severity(QStringLiteral("^(ERROR|FATAL|ОШИБКА|ВАЖНО):\\s+"));
  msg.remove(severity);
  msg = msg.trimmed();
  return msg.isEmpty() ? fallback.trimmed() : msg;
}

int StatementCount() { return g_statementCount; }
void ResetStatementCount() { g_statementCount = 0; }

// ---- TADOQuery ----

TADOQuery::TADOQuery(QObject* parent, const QString& sql) : QObject(parent) {
  if (!sql.isEmpty()) SetSQL(sql);
}

void TADOQuery::SetSQL(const QString& sql) {
  sql_ = QStringList{sql};
  params_.Sync(SQLText());
}

void TADOQuery::ClearSQL() {
  Close();
  sql_.clear();
  params_.Sync({});
}

void TADOQuery::AddSQL(const QString& line) {
  sql_ << line;
  params_.Sync(SQLText());
}

void TADOQuery::Open() {
  if (active_) return;
  ResultSet rs = RunStatement(BindParameters(SQLText(), params_), true);
  fields_ = rs.fields;
  rows_ = std::move(rs.rows);
  active_ = true;
  ApplyFilter();
}

void TADOQuery::Close() {
  state_ = State::Browse;
  pending_.clear();
  if (!active_) return;
  active_ = false;
  fields_.clear();
  rows_.clear();
  visible_.clear();
  cur_ = -1;
  eof_ = bof_ = true;
  emit layoutReset();
}

void TADOQuery::Requery() {
  Close();
  Open();
}

void TADOQuery::Refresh(bool toLastWhenShorter) {
  const int recNo = RecNo();
  Requery();
  if (!SetRecNo(recNo) && toLastWhenShorter && recNo > 0) Last();
}

void TADOQuery::SetUpdateTable(const QString& table, const QString& keyField) {
  updateTable_ = table;
  keyField_ = keyField;
}

void TADOQuery::Insert() {
  if (updateTable_.isEmpty()) throw std::logic_error("The query is not updatable");
  state_ = State::Insert;
  pending_.clear();
}

void TADOQuery::Edit() {
  if (updateTable_.isEmpty()) throw std::logic_error("The query is not updatable");
  if (cur_ < 0) throw std::logic_error("No current row to edit");
  state_ = State::Edit;
  pending_.clear();
}

void TADOQuery::SetFieldValue(const QString& name, const QVariant& value) {
  if (state_ == State::Browse) throw std::logic_error("The query is not in insert or edit state");
  for (auto& p : pending_)
    if (p.first.compare(name, Qt::CaseInsensitive) == 0) {
      p.second = value;
      return;
    }
  pending_.append({name, value});
}

void TADOQuery::Post() {
  if (state_ == State::Browse) return;
  QStringList names, values;
  for (const auto& p : pending_) {
    names << p.first.toLower();
    values << SqlLiteral(p.second);
  }
  QString sql;
  if (state_ == State::Insert) {
    sql = names.isEmpty() ? QStringLiteral("insert into %1 default values").arg(updateTable_)
                          : QStringLiteral("insert into %1(%2) values(%3)")
                                .arg(updateTable_, names.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")));
  } else {
    QStringList sets;
    for (int i = 0; i < names.size(); ++i) sets << names[i] + QLatin1Char('=') + values[i];
    if (sets.isEmpty()) {
      state_ = State::Browse;
      return;
    }
    sql = QStringLiteral("update %1 set %2 where %3=%4")
              .arg(updateTable_, sets.join(QStringLiteral(", ")), keyField_,
                   SqlLiteral(FieldByName(keyField_).Value()));
  }
  RunStatement(sql, false);
  state_ = State::Browse;
  pending_.clear();
}

void TADOQuery::Cancel() {
  state_ = State::Browse;
  pending_.clear();
}

void TADOQuery::Delete() {
  if (updateTable_.isEmpty()) throw std::logic_error("The query is not updatable");
  if (cur_ < 0) throw std::logic_error("No current row to delete");
  RunStatement(QStringLiteral("delete from %1 where %2=%3")
                   .arg(updateTable_, keyField_, SqlLiteral(FieldByName(keyField_).Value())),
               false);
  const int at = cur_;
  rows_.remove(visible_[at]);
  ApplyFilter();
  if (!visible_.isEmpty()) SetCurrent(qMin(at, int(visible_.size()) - 1));
}

void TADOQuery::ApplyFilter() {
  visible_.clear();
  for (int r = 0; r < rows_.size(); ++r) {
    if (filtered_ && !filter_.Empty()) {
      if (!filter_.Matches([&](const QString& f) { return Raw(r, f); })) continue;
    }
    visible_ << r;
  }
  cur_ = visible_.isEmpty() ? -1 : 0;
  eof_ = bof_ = visible_.isEmpty();
  emit layoutReset();
  emit recNoChanged(RecNo());
}

QVariant TADOQuery::Raw(int row, const QString& field) const {
  const int c = FieldIndex(field);
  if (c < 0) throw std::out_of_range(("Field '" + field + "' not found").toStdString());
  return rows_[row][c];
}

int TADOQuery::RecNo() const { return cur_ < 0 ? 0 : cur_ + 1; }

void TADOQuery::SetCurrent(int index) {
  const bool moved = index != cur_;
  cur_ = index;
  if (moved) emit recNoChanged(RecNo());
}

bool TADOQuery::SetRecNo(int recNo) {
  if (recNo < 1 || recNo > visible_.size()) return false;
  eof_ = bof_ = false;
  SetCurrent(recNo - 1);
  return true;
}

void TADOQuery::First() {
  eof_ = bof_ = visible_.isEmpty();
  if (!visible_.isEmpty()) SetCurrent(0);
}

void TADOQuery::Last() {
  eof_ = bof_ = visible_.isEmpty();
  if (!visible_.isEmpty()) SetCurrent(visible_.size() - 1);
}

void TADOQuery::Next() {
  bof_ = false;
  if (cur_ + 1 < visible_.size()) SetCurrent(cur_ + 1);
  else eof_ = true;
}

void TADOQuery::Prior() {
  eof_ = false;
  if (cur_ > 0) SetCurrent(cur_ - 1);
  else bof_ = true;
}

int TADOQuery::FieldIndex(const QString& name) const {
  for (int i = 0; i < fields_.size(); ++i)
    if (fields_[i].compare(name, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

TField TADOQuery::FieldByName(const QString& name) const {
  if (!active_) throw std::logic_error(("Cannot read field '" + name + "': the query is closed").toStdString());
  const int c = FieldIndex(name);
  if (c < 0) throw std::out_of_range(("Field '" + name + "' not found").toStdString());
  if (cur_ < 0) return TField();
  return TField(rows_[visible_[cur_]][c]);
}

QVariant TADOQuery::ValueAt(int visibleRow, int column) const {
  if (visibleRow < 0 || visibleRow >= visible_.size() || column < 0 || column >= fields_.size()) return {};
  return rows_[visible_[visibleRow]][column];
}

TField TADOQuery::FieldAt(int recNo, const QString& name) const {
  const int c = FieldIndex(name);
  if (c < 0) throw std::out_of_range(("Field '" + name + "' not found").toStdString());
  return TField(ValueAt(recNo - 1, c));
}

bool TADOQuery::Locate(const QString& field, const QVariant& value, bool caseInsensitive, bool partial) {
  const int c = FieldIndex(field);
  if (c < 0) throw std::out_of_range(("Field '" + field + "' not found").toStdString());
  const Qt::CaseSensitivity cs = caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
  for (int i = 0; i < visible_.size(); ++i) {
    const QVariant& v = rows_[visible_[i]][c];
    bool hit;
    if (v.isNull()) {
      hit = value.isNull();
    } else if (value.typeId() == QMetaType::QString || v.typeId() == QMetaType::QString) {
      const QString s = TField(v).AsString();
      hit = partial ? s.startsWith(value.toString(), cs) : s.compare(value.toString(), cs) == 0;
    } else {
      hit = v == value;
    }
    if (hit) {
      eof_ = bof_ = false;
      SetCurrent(i);
      return true;
    }
  }
  return false;
}

void TADOQuery::SetFilter(const QString& filter) {
  filter_ = FilterExpr::Parse(filter);
  filterText_ = filter;
  if (active_ && filtered_) ApplyFilter();
}

void TADOQuery::SetFiltered(bool on) {
  if (on == filtered_) return;
  filtered_ = on;
  if (active_) ApplyFilter();
}

void TADOQuery::SearchByPrefix(const QString& field, const QString& typed) {
  if (typed.isEmpty()) {
    SetFiltered(false);
    return;
  }
  SetFilter(StartsWithFilter(field, typed));
  SetFiltered(true);
}

// ---- TADOCommand ----

TADOCommand::TADOCommand(QObject* parent, const QString& text) : QObject(parent) { SetCommandText(text); }

void TADOCommand::SetCommandText(const QString& text) {
  text_ = text;
  params_.Sync(text_);
}

int TADOCommand::Execute() {
  int affected = 0;
  RunStatement(BindParameters(text_, params_), false, &affected);
  return affected;
}

}  // namespace platform

namespace platform {

TTransaction::TTransaction() {
  RunStatement(QStringLiteral("begin"), false);
  open_ = true;
}

TTransaction::~TTransaction() {
  if (!open_) return;
  try {
    RunStatement(QStringLiteral("rollback"), false);
  } catch (...) {
    // The connection is gone; the server has dropped the transaction itself.
  }
}

void TTransaction::Commit() {
  RunStatement(QStringLiteral("commit"), false);
  open_ = false;
}

}  // namespace platform
