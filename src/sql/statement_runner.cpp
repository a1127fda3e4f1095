#include "sql/statement_runner.h"

#include "sql/database_error.h"
#include "sql/value_reads.h"

namespace kovo {

namespace {

thread_local int live_runners = 0;

}  // namespace

StatementRunner::StatementRunner(Connection* connection) : connection_(connection) { ++live_runners; }

StatementRunner::~StatementRunner() { --live_runners; }

int StatementRunner::live_count() { return live_runners; }

void StatementRunner::clear() {
  close_result();
  text_.clear();
  line_open_ = false;
}

Connection& StatementRunner::connection() {
  if (!connection_) throw DatabaseError("SQLConnection property required for this operation");
  // A connection created closed is opened by the first statement and left open.
  if (!connection_->is_open()) connection_->open();
  return *connection_;
}

void StatementRunner::execute() {
  end_line();
  close_result();
  connection().execute(text_);
}

void StatementRunner::open() {
  end_line();
  close_result();
  result_ = connection().query(text_);
}

int StatementRunner::find_column(std::string_view column) const {
  const int index = result_ ? result_->find_column(column) : -1;
  if (index >= 0) return index;
  throw DatabaseError("Field '" + std::string(column) + "' not found");
}

Value StatementRunner::as_variant(std::string_view column) {
  const int index = find_column(column);
  return result_->has_row() ? result_->column_value(index) : Value::null();
}

std::int32_t StatementRunner::as_integer(std::string_view column) {
  return read_integer(as_variant(column), column);
}

std::string StatementRunner::as_string(std::string_view column) { return read_string(as_variant(column)); }

double StatementRunner::as_float(std::string_view column) { return read_float(as_variant(column), column); }

}  // namespace kovo
