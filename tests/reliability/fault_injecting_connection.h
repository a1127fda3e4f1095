// A real connection behind a wrapper that counts every operation a call
// makes on it (opening the connection, executing, opening a query, reading
// a column of a result) and makes the Nth one fail with a DatabaseError, as
// a lost connection or a refusing engine would. A hook can run before each
// operation, to let another host act at an exact point of a call.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sql/connection.h"

namespace kovo::test {

enum class Operation { Open, Execute, Query, Read };

const char* operation_name(Operation kind);

struct OperationRecord {
  Operation kind;
  // Execute and Query: the statement's first line; Read: the column name as
  // the engine gives it; Open: empty.
  std::string subject;
};

class FaultInjectingConnection : public ForwardingConnection {
 public:
  // `arrives_closed`: the wrapper reports itself closed until its open()
  // has run, so that the call's first statement opens it (an operation
  // that can fail like any other); the connection behind stays as it is.
  explicit FaultInjectingConnection(Connection& inner, bool arrives_closed = false);

  // The operation with this 1-based number fails; 0 fails none.
  void fail_at(int n) { fail_at_ = n; }
  // Runs before every operation, the failing one included.
  void before_each(std::function<void(const OperationRecord&)> hook) { hook_ = std::move(hook); }

  // Every operation attempted so far, the failed one last.
  const std::vector<OperationRecord>& operations() const { return operations_; }
  // The message of the fault injected at operation `n`.
  static std::string fault_message(int n, Operation kind);

  bool is_open() const override;
  void open() override;
  void execute(const std::string& sql) override;
  std::unique_ptr<Cursor> query(const std::string& sql) override;

  // Counts a column read of one of this connection's results.
  void step(Operation kind, std::string subject);

 private:
  bool opened_;
  int fail_at_ = 0;
  std::function<void(const OperationRecord&)> hook_;
  std::vector<OperationRecord> operations_;
};

}  // namespace kovo::test
