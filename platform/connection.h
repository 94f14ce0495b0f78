#pragma once
// The application's one database connection (PostgreSQL through QPSQL).
#include <QString>

namespace platform {

struct ConnectionSettings {
  QString database;
  QString host;  // a host name, an address, or a directory holding the server's socket
  int port = 5432;
  QString user;
  QString password;
};

class TADOConnection {
 public:
  TADOConnection() = default;
  ~TADOConnection();
  TADOConnection(const TADOConnection&) = delete;
  TADOConnection& operator=(const TADOConnection&) = delete;

  void SetSettings(const ConnectionSettings& s) { settings_ = s; }
  const ConnectionSettings& Settings() const { return settings_; }

  // Opens the connection and prepares the session: dates read day first (statements
  // write DD.MM.YYYY literals), UTF-8, no JIT. Throws EDatabaseError when it fails.
  void Open();
  void Close();
  bool Connected() const;

 private:
  ConnectionSettings settings_;
};

}  // namespace platform
