#include "drivers/sqlite_connection.h"

#include <climits>
#include <utility>
#include <vector>

#include "drivers/drivers.h"
#include "drivers/row_snapshot.h"
#include "sql/database_error.h"

namespace kovo {

// A prepared statement, finished when it goes out of scope.
class SqliteConnection::Statement {
 public:
  Statement(const sqlite::Api& api, sqlite::Stmt* stmt) : api_(api), stmt_(stmt) {}
  Statement(Statement&& other) noexcept : api_(other.api_), stmt_(std::exchange(other.stmt_, nullptr)) {}
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  Statement& operator=(Statement&&) = delete;
  ~Statement() {
    if (stmt_) api_.finalize(stmt_);
  }
  sqlite::Stmt* get() const { return stmt_; }

 private:
  const sqlite::Api& api_;
  sqlite::Stmt* stmt_;
};

SqliteConnection::SqliteConnection(std::string path, bool open_now)
    : api_(sqlite::load_api()), path_(std::move(path)) {
  if (open_now) open();
}

SqliteConnection::~SqliteConnection() { close(); }

void SqliteConnection::open() {
  if (db_) return;
  sqlite::Db* db = nullptr;
  const int rc = api_->open_v2(path_.c_str(), &db, sqlite::kOpenReadWrite | sqlite::kOpenCreate, nullptr);
  if (rc != sqlite::kOk) {
    std::string reason = db ? api_->errmsg(db) : api_->errstr(rc);
    api_->close_v2(db);
    throw DatabaseError("Cannot open SQLite database '" + path_ + "': " + reason);
  }
  api_->busy_timeout(db, busy_timeout_ms_);
  db_ = db;
}

void SqliteConnection::set_busy_timeout(int milliseconds) {
  busy_timeout_ms_ = milliseconds;
  if (db_) api_->busy_timeout(db_, milliseconds);
}

void SqliteConnection::close() {
  // An open transaction is rolled back by the engine.
  if (db_) api_->close_v2(std::exchange(db_, nullptr));
}

void SqliteConnection::fail() const { throw DatabaseError(api_->errmsg(db_)); }

SqliteConnection::Statement SqliteConnection::prepare(const std::string& sql) {
  open();
  if (sql.size() > static_cast<std::size_t>(INT_MAX)) throw DatabaseError("Statement too long");
  // The engine reads a statement only up to a zero byte, which can stand
  // only inside a quoted text: refuse it rather than send half a value.
  if (sql.find('\0') != std::string::npos) throw DatabaseError("A statement cannot hold a zero byte");
  const char* const end = sql.data() + sql.size();
  const char* tail = nullptr;
  sqlite::Stmt* raw = nullptr;
  if (api_->prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &raw, &tail) != sqlite::kOk) fail();
  Statement statement(*api_, raw);
  if (!statement.get()) throw DatabaseError("No statement to run");
  // The engine compiles one statement and hands back the rest; anything but
  // blanks and comments there would silently never run.
  while (tail && tail < end) {
    sqlite::Stmt* extra_raw = nullptr;
    const char* next = nullptr;
    if (api_->prepare_v2(db_, tail, static_cast<int>(end - tail), &extra_raw, &next) != sqlite::kOk) fail();
    Statement extra(*api_, extra_raw);
    if (extra.get()) throw DatabaseError("Only one statement can run at a time");
    if (next == tail) break;
    tail = next;
  }
  return statement;
}

void SqliteConnection::execute(const std::string& sql) {
  Statement statement = prepare(sql);
  int rc;
  while ((rc = api_->step(statement.get())) == sqlite::kRow) {
  }
  if (rc != sqlite::kDone) fail();
}

std::unique_ptr<Cursor> SqliteConnection::query(const std::string& sql) {
  Statement statement = prepare(sql);
  sqlite::Stmt* stmt = statement.get();
  const int rc = api_->step(stmt);
  if (rc != sqlite::kRow && rc != sqlite::kDone) fail();

  const int count = api_->column_count(stmt);
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const char* name = api_->column_name(stmt, i);
    names.emplace_back(name ? name : "");
  }
  std::vector<Value> row;
  if (rc == sqlite::kRow) {
    row.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
      switch (api_->column_type(stmt, i)) {
        case sqlite::kInteger:
          row.push_back(Value::of_integer(api_->column_int64(stmt, i)));
          break;
        case sqlite::kFloat:
          row.push_back(Value::of_float(api_->column_double(stmt, i)));
          break;
        case sqlite::kNull:
          row.push_back(Value::null());
          break;
        default: {  // text and blob: the stored bytes, counted, never re-encoded
          const unsigned char* bytes = api_->column_text(stmt, i);
          const int size = api_->column_bytes(stmt, i);
          row.push_back(Value::of_text(
              bytes ? std::string(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size))
                    : std::string()));
          break;
        }
      }
    }
  }
  return std::make_unique<RowSnapshot>(std::move(names), std::move(row), rc == sqlite::kRow);
}

void SqliteConnection::begin() { execute("BEGIN IMMEDIATE"); }
void SqliteConnection::commit() { execute("COMMIT"); }
void SqliteConnection::rollback() { execute("ROLLBACK"); }

bool SqliteConnection::in_transaction() const { return db_ && api_->get_autocommit(db_) == 0; }

std::unique_ptr<Connection> open_sqlite(std::string_view location, const OpenOptions& options) {
  // An empty name would give a private temporary database whose rows vanish
  // on close: refuse it rather than lose data quietly.
  if (location.empty()) throw DatabaseError("SQLite target names no database file");
  return std::make_unique<SqliteConnection>(std::string(location), options.open_now);
}

}  // namespace kovo
