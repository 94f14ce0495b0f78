#include "app/data_module.h"

#include "db/sql_texts.h"
#include "platform/app_seams.h"

TDataModule6* DataModule6 = nullptr;

namespace {
// The application's own database account; nobody types it.
constexpr const char* kUser = "sys";
constexpr const char* kPassword = "wubmafe";
}  // namespace

platform::ConnectionSettings ConnectionFromCommandLine(const QStringList& arguments) {
  platform::ConnectionSettings s;
  s.user = QLatin1String(kUser);
  s.password = QLatin1String(kPassword);
  s.port = 5432;
  const QString database = arguments.value(0);
  const QString server = arguments.value(1);
  if (!server.isEmpty()) {
    s.database = database;
    s.host = server;
  } else {
    s.database = QLatin1String(kDefaultDatabase);
    s.host = QLatin1String(kDefaultServer);
  }
  return s;
}

TDataModule6::TDataModule6(QObject* parent) : QObject(parent) {
  Workers = new TADOQuery(this, sqltext::Workers());
  Control = new TADOQuery(this);
  Izdel = new TADOQuery(this, sqltext::Izdel());
  Oper = new TADOQuery(this, sqltext::Oper());
  Vid_oper = new TADOQuery(this, sqltext::Vid_oper());
  Smena1 = new TADOQuery(this, sqltext::JournalQuery(1));
  Smena2 = new TADOQuery(this, sqltext::JournalQuery(2));
  Smena3 = new TADOQuery(this, sqltext::JournalQuery(3));
  Smena4 = new TADOQuery(this, sqltext::JournalQuery(4));
  DelSmena = new TADOCommand(this);
  H_Tabel_ins = new TADOCommand(this);
  SQL_exec = new TADOCommand(this);
  H_Tabel_1 = new TADOQuery(this, sqltext::H_Tabel(1));
  H_Tabel_2 = new TADOQuery(this, sqltext::H_Tabel(2));
  H_Tabel_3 = new TADOQuery(this, sqltext::H_Tabel(3));
  w_Report = new TADOQuery(this, sqltext::w_Report());
  i_Report = new TADOQuery(this, sqltext::i_Report());
  Oper_ins = new TADOCommand(this, sqltext::Oper_ins());
  Oper_ed = new TADOCommand(this, sqltext::Oper_ed());
  Oper_del = new TADOCommand(this, sqltext::Oper_del());
}

TDataModule6::~TDataModule6() {
  // The datasets hold no server resources; the connection closes with ADO_DB.
  if (DataModule6 == this) DataModule6 = nullptr;
}

TADOQuery* TDataModule6::JournalQuery(int shift) const {
  switch (shift) {
    case 2: return Smena2;
    case 3: return Smena3;
    case 4: return Smena4;
    default: return Smena1;
  }
}

int TDataModule6::LookupInteger(const QString& statement, const QString& field) {
  Control->Close();
  Control->ClearSQL();
  Control->AddSQL(statement);
  Control->Open();
  const int value = Control->IsEmpty() ? 0 : Control->FieldByName(field).AsInteger();
  Control->Close();
  return value;
}

bool TDataModule6::CheckExists(const QString& statement, const QString& message) {
  const bool exists = LookupInteger(statement, QStringLiteral("cnt")) > 0;
  if (exists) platform::MessageDlg(message, QStringLiteral("Ошибка"), platform::MsgIcon::Error, platform::mbOK);
  return exists;
}

QString TDataModule6::NormalizeDecimalPoint(const QString& text) {
  int pos = text.indexOf(QLatin1Char(','));
  if (pos < 0) pos = text.indexOf(QLatin1Char('.'));
  if (pos < 0) return text;
  if (Delim.isEmpty()) Delim = QStringLiteral(".");
  QString out = text;
  out.replace(pos, 1, Delim);
  return out;
}
