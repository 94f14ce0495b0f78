#pragma once
// TDataModule6: the one database connection and the queries and commands that
// several windows share, with the duplicate check and the decimal separator for SQL.
#include <QObject>
#include <QString>
#include <QStringList>

#include "platform/connection.h"
#include "platform/dataset.h"

using platform::TADOCommand;
using platform::TADOQuery;

// The connection the program opens for its command line: database and server are
// both taken only when the second argument is present and not empty.
platform::ConnectionSettings ConnectionFromCommandLine(const QStringList& arguments /* without argv[0] */);

inline constexpr const char* kDefaultDatabase = "norda_erp";
inline constexpr const char* kDefaultServer = "erp-server";

class TDataModule6 : public QObject {
  Q_OBJECT
 public:
  explicit TDataModule6(QObject* parent = nullptr);
  ~TDataModule6() override;

  platform::TADOConnection ADO_DB;
  // Decimal separator for numbers written into SQL text; filled by the build check.
  QString Delim;

  TADOQuery* Workers;
  TADOQuery* Control;
  TADOQuery* Izdel;
  TADOQuery* Oper;
  TADOQuery* Vid_oper;
  TADOQuery* Smena1;
  TADOQuery* Smena2;
  TADOQuery* Smena3;
  TADOQuery* Smena4;
  TADOCommand* DelSmena;
  TADOCommand* H_Tabel_ins;
  TADOCommand* SQL_exec;
  TADOQuery* H_Tabel_1;
  TADOQuery* H_Tabel_2;
  TADOQuery* H_Tabel_3;
  TADOQuery* w_Report;
  TADOQuery* i_Report;
  TADOCommand* Oper_ins;
  TADOCommand* Oper_ed;
  TADOCommand* Oper_del;

  // The journal query of a shift: Smena2..Smena4 for 2..4, Smena1 for anything else.
  TADOQuery* JournalQuery(int shift) const;

  // Runs a statement returning one row with an integer column cnt; when cnt > 0 shows
  // the message ("Ошибка", error icon) and returns true.
  bool CheckExists(const QString& statement, const QString& message = {});

  // A number as the workstation wrote it, with its first decimal separator (a comma,
  // else a point) replaced by Delim; Delim becomes "." when still empty.
  QString NormalizeDecimalPoint(const QString& text);

  // Puts a statement into Control, opens it and returns the named field of its first
  // row as an integer (0 when no row comes back); Control is closed afterwards.
  int LookupInteger(const QString& statement, const QString& field);
};

extern TDataModule6* DataModule6;
