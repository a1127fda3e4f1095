// The driver interface: what the statement runner needs of a database
// connection, and what a host needs to own its transaction.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "sql/column_name.h"
#include "sql/value.h"

namespace kovo {

// The result of a query, positioned on its first row (or on no row). Only
// that row is ever read. Must stay valid while other statements run on the
// same connection (a call keeps two results open beside an insert).
class Cursor {
 public:
  virtual ~Cursor() = default;
  virtual bool has_row() const = 0;
  virtual int column_count() const = 0;
  virtual std::string column_name(int index) const = 0;  // as the engine names it
  virtual Value column_value(int index) const = 0;       // of the first row

  // The index of the first column named `name` (same_column_name), or -1.
  // The default asks column_name() for each column; a cursor that keeps its
  // names answers without copying them.
  virtual int find_column(std::string_view name) const {
    const int count = column_count();
    for (int i = 0; i < count; ++i) {
      if (same_column_name(column_name(i), name)) return i;
    }
    return -1;
  }
};

// Every method reports failure by throwing DatabaseError with the engine's
// own message.
class Connection {
 public:
  virtual ~Connection() = default;

  virtual bool is_open() const = 0;
  // Opens a closed connection with its own settings; does nothing if open.
  virtual void open() = 0;
  virtual void close() = 0;

  // Runs a statement that returns no rows (prepared, then run).
  virtual void execute(const std::string& sql) = 0;
  // Runs a query and returns its result positioned on the first row.
  virtual std::unique_ptr<Cursor> query(const std::string& sql) = 0;

  // The host's transaction. Outside begin/commit every statement commits
  // on its own. The operations never call these.
  virtual void begin() = 0;
  virtual void commit() = 0;
  virtual void rollback() = 0;
  virtual bool in_transaction() const = 0;
};

// Wraps another connection and forwards everything to it; tracing, recording
// and fault-injecting connections override what they watch.
class ForwardingConnection : public Connection {
 public:
  explicit ForwardingConnection(Connection& inner) : inner_(inner) {}
  bool is_open() const override { return inner_.is_open(); }
  void open() override { inner_.open(); }
  void close() override { inner_.close(); }
  void execute(const std::string& sql) override { inner_.execute(sql); }
  std::unique_ptr<Cursor> query(const std::string& sql) override { return inner_.query(sql); }
  void begin() override { inner_.begin(); }
  void commit() override { inner_.commit(); }
  void rollback() override { inner_.rollback(); }
  bool in_transaction() const override { return inner_.in_transaction(); }

 protected:
  Connection& inner() { return inner_; }

 private:
  Connection& inner_;
};

struct OpenOptions {
  bool open_now = true;  // false: created closed, opened by its first statement
};

// Opens a connection named by a target text:
//   sqlite:PATH, sqlite::memory:
//   firebird:PATH (embedded engine), firebird://HOST[:PORT]/PATH, firebird:HOST:PATH
// Throws DatabaseError for an unknown target or a missing client library.
std::unique_ptr<Connection> open_connection(std::string_view target,
                                            const OpenOptions& options = {});

}  // namespace kovo
