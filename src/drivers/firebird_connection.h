// The Firebird driver.
//
// It speaks the client's legacy ISC interface rather than the object
// interface of Firebird 3: the ISC calls are plain C functions with a status
// vector, so a handful of function pointers and two structs declared here
// cover everything, with no hand-copied virtual-method tables to keep in step
// with the client; the same calls serve the embedded engine and a server,
// and fbclient.dll exports them the same way on Windows.
//
// Transactions: begin() starts the connection's one transaction (read
// committed, record versions, waiting on locks; begin while one is active is
// an error), commit() and rollback() end it, and every statement runs in it.
// Outside begin/commit each statement runs in a transaction of its own that
// is committed as soon as the statement has run, or rolled back when it
// fails: the engine's autocommit, done by the driver. A query is no
// exception: it fetches its first row, copies it out (blobs included) and
// finishes, so a result holds no cursor, lock or transaction (see
// row_snapshot.h) and stays readable beside other statements, across commit
// and rollback. Statements that would begin, commit or roll back a
// transaction behind the connection's back are refused.
//
// Texts: the connection's character set is WIN1252, so the engine neither
// converts nor rejects the host's Windows-1252 bytes; they are stored and
// read back unchanged.
//
// Errors: every failure the engine reports becomes a DatabaseError whose
// message is the engine's own text (see firebird_api.h).
#pragma once

#include <memory>
#include <string>

#include "drivers/firebird_api.h"
#include "drivers/firebird_target.h"
#include "sql/connection.h"

namespace kovo {

class FirebirdConnection final : public Connection {
 public:
  // Loads the client library now (DatabaseError if it is missing); attaches
  // at once when `open_now`, else at the first statement.
  FirebirdConnection(FirebirdTarget target, bool open_now);
  // Takes over an attachment already made (by create_firebird_database).
  FirebirdConnection(std::shared_ptr<const firebird::Api> api, FirebirdTarget target,
                     firebird::Handle attachment);
  ~FirebirdConnection() override;
  FirebirdConnection(const FirebirdConnection&) = delete;
  FirebirdConnection& operator=(const FirebirdConnection&) = delete;

  bool is_open() const override { return db_ != 0; }
  void open() override;
  // Rolls back a transaction still active, then detaches.
  void close() override;
  void execute(const std::string& sql) override;
  std::unique_ptr<Cursor> query(const std::string& sql) override;
  void begin() override;
  void commit() override;
  void rollback() override;
  bool in_transaction() const override { return tr_ != 0; }

  // Drops the database this connection is attached to (the file is
  // deleted); the connection is closed afterwards.
  void drop_database();

 private:
  class Statement;
  std::unique_ptr<Cursor> run(const std::string& sql, bool want_row);
  std::unique_ptr<Cursor> run_in(firebird::Handle& tr, const std::string& sql, bool want_row);
  firebird::Handle start_transaction();
  std::string read_blob(firebird::Handle& tr, const firebird::SqlVar& var);

  std::shared_ptr<const firebird::Api> api_;
  FirebirdTarget target_;
  firebird::Handle db_ = 0;
  firebird::Handle tr_ = 0;  // the host's transaction; 0 outside begin/commit
};

}  // namespace kovo
