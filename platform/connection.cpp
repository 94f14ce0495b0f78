#include "platform/connection.h"

#include <QSqlDatabase>
#include <QSqlError>

#include "platform/dataset.h"
#include "platform/db_error.h"

namespace platform {

TADOConnection::~TADOConnection() { Close(); }

void TADOConnection::Open() {
  Close();
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QLatin1String(kConnectionName));
    db.setDatabaseName(settings_.database);
    db.setHostName(settings_.host);
    db.setPort(settings_.port);
    db.setUserName(settings_.user);
    db.setPassword(settings_.password);
    db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    if (!db.open()) {
      const QSqlError e = db.lastError();
      throw EDatabaseError(ServerMessage(e.databaseText(), e.nativeErrorCode(), e.text()), e.nativeErrorCode());
    }
  }
  RunStatement(QStringLiteral("set datestyle = 'ISO, DMY'"), false);
  RunStatement(QStringLiteral("set client_encoding = 'UTF8'"), false);
  RunStatement(QStringLiteral("set jit = off"), false);
}

void TADOConnection::Close() {
  const QString name = QLatin1String(kConnectionName);
  if (!QSqlDatabase::contains(name)) return;
  {
    QSqlDatabase db = QSqlDatabase::database(name, false);
    if (db.isOpen()) db.close();
  }
  QSqlDatabase::removeDatabase(name);
}

bool TADOConnection::Connected() const {
  const QString name = QLatin1String(kConnectionName);
  return QSqlDatabase::contains(name) && QSqlDatabase::database(name, false).isOpen();
}

}  // namespace platform
