#pragma once
// Private PostgreSQL server for the tests: one throwaway cluster per test process,
// a template database built once from db/, and a fresh clone of it per test.
#include <QString>

namespace testdb {

// Starts the cluster on first use (initdb into a private temp directory, a server
// listening on a unix socket only, template database loaded from db/schema.sql and
// db/reserved.sql). Stopped and removed at process exit.
// Returns the socket directory, which libpq (and QPSQL) accept as the host name.
QString socketDir();

// Creates a new database cloned from the template and returns its name.
QString freshDatabase();

// Drops a database made by freshDatabase() (connections to it must be closed first).
void dropDatabase(const QString& name);

// Runs SQL text as the superuser through psql on the given database (for fixtures
// that the application's role may not write). Throws std::runtime_error on failure.
void runSql(const QString& database, const QString& sql);

}  // namespace testdb
