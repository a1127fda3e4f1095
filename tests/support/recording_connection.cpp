#include "recording_connection.h"

#include "sql/database_error.h"
#include "sql/statement_runner.h"

namespace kovo::test {

std::string RecordingConnection::to_engine(RecordedStatement::Kind kind, const std::string& sql) {
  const std::size_t index = statements_.size();
  statements_.push_back({kind, sql, StatementRunner::live_count()});
  if (reject_at_ && *reject_at_ == index) return "KOVO_REJECTED " + sql;
  return sql;
}

void RecordingConnection::execute(const std::string& sql) {
  const std::string sent = to_engine(RecordedStatement::Kind::Execute, sql);
  try {
    inner().execute(sent);
  } catch (const DatabaseError& error) {
    last_error_ = error.what();
    throw;
  }
}

std::unique_ptr<Cursor> RecordingConnection::query(const std::string& sql) {
  const std::string sent = to_engine(RecordedStatement::Kind::Query, sql);
  try {
    return inner().query(sent);
  } catch (const DatabaseError& error) {
    last_error_ = error.what();
    throw;
  }
}

std::vector<std::string> RecordingConnection::texts() const {
  std::vector<std::string> texts;
  for (const RecordedStatement& s : statements_) texts.push_back(s.text);
  return texts;
}

}  // namespace kovo::test
