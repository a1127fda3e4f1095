#include "drivers/firebird_connection.h"

#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "drivers/drivers.h"
#include "drivers/firebird_dpb.h"
#include "drivers/firebird_values.h"
#include "drivers/row_snapshot.h"
#include "sql/database_error.h"

namespace kovo {

using namespace firebird;

namespace {

// isc_dsql_prepare takes a 16-bit length; a longer text goes in
// zero-terminated (length 0).
constexpr std::size_t kLongestCountedStatement = 65535;

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
using SqlDaPtr = std::unique_ptr<SqlDa, FreeDeleter>;

SqlDaPtr allocate_sqlda(int columns) {
  if (columns < 1) columns = 1;
  const std::size_t bytes = sizeof(SqlDa) + static_cast<std::size_t>(columns - 1) * sizeof(SqlVar);
  SqlDaPtr da(static_cast<SqlDa*>(std::calloc(1, bytes)));
  if (!da) throw std::bad_alloc();
  da->version = static_cast<std::int16_t>(kSqlDaVersion);
  da->sqln = static_cast<std::int16_t>(columns);
  return da;
}

SqlVar* columns_of(SqlDa& da) { return da.sqlvar; }

}  // namespace

// An allocated DSQL statement, dropped when it goes out of scope.
class FirebirdConnection::Statement {
 public:
  Statement(const Api& api, Handle& db) : api_(api) {
    StatusVector status{};
    api_.dsql_allocate_statement(status, &db, &handle_);
    check(api_, status);
  }
  ~Statement() {
    if (handle_) {
      StatusVector status{};
      api_.dsql_free_statement(status, &handle_, kDsqlDrop);
    }
  }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  Handle* get() { return &handle_; }

  int type() {
    const char items[] = {kInfoSqlStmtType, kInfoEnd};
    char answer[16] = {};
    StatusVector status{};
    api_.dsql_sql_info(status, &handle_, sizeof items, items, sizeof answer, answer);
    check(api_, status);
    const int length = static_cast<unsigned char>(answer[1]) | static_cast<unsigned char>(answer[2]) << 8;
    if (answer[0] != kInfoSqlStmtType || length < 1 || length > 4) {
      throw DatabaseError("Firebird did not report the statement's type");
    }
    int value = 0;
    for (int i = length; i > 0; --i) value = value << 8 | static_cast<unsigned char>(answer[2 + i]);
    return value;
  }

 private:
  const Api& api_;
  Handle handle_ = 0;
};

FirebirdConnection::FirebirdConnection(FirebirdTarget target, bool open_now)
    : api_(load_api()), target_(std::move(target)) {
  if (open_now) open();
}

FirebirdConnection::FirebirdConnection(std::shared_ptr<const Api> api, FirebirdTarget target,
                                       Handle attachment)
    : api_(std::move(api)), target_(std::move(target)), db_(attachment) {}

FirebirdConnection::~FirebirdConnection() {
  try {
    close();
  } catch (const DatabaseError&) {
    // Nothing to do about a failed detach while being destroyed.
  }
}

void FirebirdConnection::open() {
  if (db_) return;
  const std::string dpb = attach_parameters(target_);
  StatusVector status{};
  Handle db = 0;
  api_->attach_database(status, 0, target_.database.c_str(), &db, static_cast<short>(dpb.size()),
                        dpb.data());
  check(*api_, status);
  db_ = db;
}

void FirebirdConnection::close() {
  if (!db_) return;
  if (tr_) {
    StatusVector ignored{};
    api_->rollback_transaction(ignored, &tr_);
    tr_ = 0;
  }
  StatusVector status{};
  api_->detach_database(status, &db_);
  db_ = 0;
  check(*api_, status);
}

void FirebirdConnection::drop_database() {
  open();
  if (tr_) {
    StatusVector ignored{};
    api_->rollback_transaction(ignored, &tr_);
    tr_ = 0;
  }
  StatusVector status{};
  api_->drop_database(status, &db_);
  check(*api_, status);
  db_ = 0;
}

Handle FirebirdConnection::start_transaction() {
  static constexpr char tpb[] = {kTpbVersion3, kTpbWrite, kTpbReadCommitted, kTpbRecVersion, kTpbWait};
  TransactionTarget target{&db_, sizeof tpb, tpb};
  StatusVector status{};
  Handle tr = 0;
  api_->start_multiple(status, &tr, 1, &target);
  check(*api_, status);
  return tr;
}

void FirebirdConnection::begin() {
  open();
  if (tr_) throw DatabaseError("A transaction is already active on this connection");
  tr_ = start_transaction();
}

void FirebirdConnection::commit() {
  if (!tr_) throw DatabaseError("No transaction is active on this connection");
  StatusVector status{};
  api_->commit_transaction(status, &tr_);  // clears tr_ once committed
  check(*api_, status);
}

void FirebirdConnection::rollback() {
  if (!tr_) throw DatabaseError("No transaction is active on this connection");
  StatusVector status{};
  api_->rollback_transaction(status, &tr_);
  check(*api_, status);
}

void FirebirdConnection::execute(const std::string& sql) { run(sql, false); }

std::unique_ptr<Cursor> FirebirdConnection::query(const std::string& sql) { return run(sql, true); }

std::unique_ptr<Cursor> FirebirdConnection::run(const std::string& sql, bool want_row) {
  open();
  if (tr_) return run_in(tr_, sql, want_row);
  Handle own = start_transaction();
  try {
    std::unique_ptr<Cursor> result = run_in(own, sql, want_row);
    StatusVector status{};
    api_->commit_transaction(status, &own);
    check(*api_, status);
    return result;
  } catch (...) {
    if (own) {
      StatusVector ignored{};
      api_->rollback_transaction(ignored, &own);
    }
    throw;
  }
}

std::unique_ptr<Cursor> FirebirdConnection::run_in(Handle& tr, const std::string& sql, bool want_row) {
  const bool counted = sql.size() <= kLongestCountedStatement;
  if (!counted && sql.find('\0') != std::string::npos) {
    throw DatabaseError("Statement text longer than 64 KiB holds a zero byte; Firebird cannot take it");
  }
  Statement statement(*api_, db_);
  // Room for the columns of a lookup; a wider result is described again
  // below. A statement run for no row needs none.
  constexpr int kColumnsFirstGuess = 8;
  SqlDaPtr out = want_row ? allocate_sqlda(kColumnsFirstGuess) : nullptr;
  StatusVector status{};
  api_->dsql_prepare(status, &tr, statement.get(), static_cast<unsigned short>(counted ? sql.size() : 0),
                     sql.c_str(), kDialect, out.get());
  check(*api_, status);

  const int type = statement.type();
  if (type == kStmtStartTrans || type == kStmtCommit || type == kStmtRollback) {
    throw DatabaseError("Transactions are begun, committed and rolled back through the connection, not by statements");
  }
  if (!want_row) {
    api_->dsql_execute(status, &tr, statement.get(), kSqlDaVersion, nullptr);
    check(*api_, status);
    return nullptr;
  }

  if (out->sqld > out->sqln) {
    out = allocate_sqlda(out->sqld);
    api_->dsql_describe(status, statement.get(), kSqlDaVersion, out.get());
    check(*api_, status);
  }
  const auto count = static_cast<std::size_t>(out->sqld);
  SqlVar* vars = columns_of(*out);
  std::vector<std::vector<char>> buffers(count);
  std::vector<std::int16_t> nulls(count, 0);
  std::vector<std::string> names;
  names.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    SqlVar& var = vars[i];
    const bool varying = (var.sqltype & ~1) == kVarying;
    buffers[i].resize(static_cast<std::size_t>(var.sqllen) + (varying ? 2 : 0) + 1);
    var.sqldata = buffers[i].data();
    var.sqlind = &nulls[i];
    names.emplace_back(var.aliasname, static_cast<std::size_t>(var.aliasname_length));
  }

  bool has_row;
  if (type == kStmtSelect || type == kStmtSelectForUpdate) {
    api_->dsql_execute(status, &tr, statement.get(), kSqlDaVersion, nullptr);
    check(*api_, status);
    const Status fetched = api_->dsql_fetch(status, statement.get(), kSqlDaVersion, out.get());
    if (fetched != 0 && fetched != kFetchEnd) throw DatabaseError(error_text(*api_, status));
    has_row = fetched != kFetchEnd;
  } else {
    // EXECUTE PROCEDURE or RETURNING hand back one row, if they have
    // columns; any other statement has neither columns nor rows.
    api_->dsql_execute2(status, &tr, statement.get(), kSqlDaVersion, nullptr, count ? out.get() : nullptr);
    check(*api_, status);
    has_row = count > 0;
  }

  std::vector<Value> row;
  if (has_row) {
    row.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
      const SqlVar& var = vars[i];
      const bool is_null = (var.sqltype & 1) && nulls[i] < 0;
      if ((var.sqltype & ~1) == kBlob && !is_null) {
        row.push_back(Value::of_text(read_blob(tr, var)));
      } else {
        row.push_back(column_value(var));
      }
    }
  }
  return std::make_unique<RowSnapshot>(std::move(names), std::move(row), has_row);
}

std::string FirebirdConnection::read_blob(Handle& tr, const SqlVar& var) {
  Quad id;
  std::memcpy(&id, var.sqldata, sizeof id);
  StatusVector status{};
  Handle blob = 0;
  api_->open_blob2(status, &db_, &tr, &blob, &id, 0, nullptr);
  check(*api_, status);

  struct Closer {
    const Api& api;
    Handle& blob;
    ~Closer() {
      StatusVector ignored{};
      if (blob) api.close_blob(ignored, &blob);
    }
  } closer{*api_, blob};

  std::string text;
  char segment[32768];
  for (;;) {
    unsigned short length = 0;
    const Status got = api_->get_segment(status, &blob, &length, sizeof segment, segment);
    if (got == kSegstrEof) break;
    if (got != 0 && got != kSegment) throw DatabaseError(error_text(*api_, status));
    text.append(segment, length);
  }
  return text;
}

std::unique_ptr<Connection> open_firebird(std::string_view location, const OpenOptions& options) {
  return std::make_unique<FirebirdConnection>(parse_firebird_target(location), options.open_now);
}

}  // namespace kovo
