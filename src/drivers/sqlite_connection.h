// The SQLite driver.
//
// Statements run in autocommit mode unless the host opened a transaction
// with begin(), which issues BEGIN IMMEDIATE: the write lock is taken at
// once, so a second writer fails with "database is locked" after the busy
// timeout instead of deadlocking halfway through its statements.
//
// Results are row snapshots (see row_snapshot.h): a query copies its first
// row and finishes its statement before returning, so open results never
// keep a read lock that would hold up a commit on this or another
// connection.
//
// Texts go in and come out as the bytes they are (the library's texts are
// Windows-1252, not UTF-8): SQLite stores a TEXT value without validating
// it, and it is read back with its byte count.
#pragma once

#include <memory>
#include <string>

#include "drivers/sqlite_api.h"
#include "sql/connection.h"

namespace kovo {

class SqliteConnection final : public Connection {
 public:
  // How long a statement waits for another connection's lock by default.
  static constexpr int kBusyTimeoutMs = 5000;

  // Loads the SQLite library now (DatabaseError if it is missing); opens
  // the database at once when `open_now`, else at the first statement.
  SqliteConnection(std::string path, bool open_now);
  ~SqliteConnection() override;

  bool is_open() const override { return db_ != nullptr; }
  void open() override;
  void close() override;
  void execute(const std::string& sql) override;
  std::unique_ptr<Cursor> query(const std::string& sql) override;
  void begin() override;
  void commit() override;
  void rollback() override;
  bool in_transaction() const override;

  // Changes the wait for other connections' locks, now and after reopening.
  void set_busy_timeout(int milliseconds);

 private:
  class Statement;
  Statement prepare(const std::string& sql);
  [[noreturn]] void fail() const;

  std::shared_ptr<const sqlite::Api> api_;
  std::string path_;
  sqlite::Db* db_ = nullptr;
  int busy_timeout_ms_ = kBusyTimeoutMs;
};

}  // namespace kovo
