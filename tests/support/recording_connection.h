// A real connection seen through a recorder: every statement text that
// reaches the engine, in order, and the engine's error messages. It can also
// make the engine itself reject one chosen statement, to drive a call into
// its failure path at any step.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sql/connection.h"

namespace kovo::test {

struct RecordedStatement {
  enum class Kind { Execute, Query };
  Kind kind;
  std::string text;  // as the caller sent it
  int live_runners;  // statement runners alive when it was sent
};

class RecordingConnection : public ForwardingConnection {
 public:
  using ForwardingConnection::ForwardingConnection;

  void execute(const std::string& sql) override;
  std::unique_ptr<Cursor> query(const std::string& sql) override;

  // The statement with this 0-based index is sent to the engine with a
  // leading word it cannot parse, so that the engine rejects it.
  void reject_statement(std::size_t index) { reject_at_ = index; }

  const std::vector<RecordedStatement>& statements() const { return statements_; }
  // The texts only, in order.
  std::vector<std::string> texts() const;
  // The message of the last DatabaseError the engine raised, if any.
  const std::optional<std::string>& last_error() const { return last_error_; }
  void clear() {
    statements_.clear();
    last_error_.reset();
  }

 private:
  std::string to_engine(RecordedStatement::Kind kind, const std::string& sql);

  std::vector<RecordedStatement> statements_;
  std::optional<std::size_t> reject_at_;
  std::optional<std::string> last_error_;
};

}  // namespace kovo::test
