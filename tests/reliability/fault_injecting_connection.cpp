#include "fault_injecting_connection.h"

#include "sql/database_error.h"

namespace kovo::test {
namespace {

std::string first_line(const std::string& sql) { return sql.substr(0, sql.find('\r')); }

// A result whose column reads are operations of the connection that made it.
class FaultInjectingCursor final : public Cursor {
 public:
  FaultInjectingCursor(std::unique_ptr<Cursor> inner, FaultInjectingConnection& owner)
      : inner_(std::move(inner)), owner_(owner) {}
  bool has_row() const override { return inner_->has_row(); }
  int column_count() const override { return inner_->column_count(); }
  std::string column_name(int index) const override { return inner_->column_name(index); }
  int find_column(std::string_view name) const override { return inner_->find_column(name); }
  Value column_value(int index) const override {
    owner_.step(Operation::Read, inner_->column_name(index));
    return inner_->column_value(index);
  }

 private:
  std::unique_ptr<Cursor> inner_;
  FaultInjectingConnection& owner_;
};

}  // namespace

const char* operation_name(Operation kind) {
  switch (kind) {
    case Operation::Open: return "open";
    case Operation::Execute: return "execute";
    case Operation::Query: return "query";
    case Operation::Read: return "read";
  }
  return "?";
}

FaultInjectingConnection::FaultInjectingConnection(Connection& inner, bool arrives_closed)
    : ForwardingConnection(inner), opened_(!arrives_closed) {}

std::string FaultInjectingConnection::fault_message(int n, Operation kind) {
  return "injected fault at operation " + std::to_string(n) + " (" + operation_name(kind) + ")";
}

void FaultInjectingConnection::step(Operation kind, std::string subject) {
  operations_.push_back({kind, std::move(subject)});
  if (hook_) hook_(operations_.back());
  const int n = static_cast<int>(operations_.size());
  if (n == fail_at_) throw DatabaseError(fault_message(n, kind));
}

bool FaultInjectingConnection::is_open() const { return opened_ && ForwardingConnection::is_open(); }

void FaultInjectingConnection::open() {
  step(Operation::Open, {});
  ForwardingConnection::open();
  opened_ = true;
}

void FaultInjectingConnection::execute(const std::string& sql) {
  step(Operation::Execute, first_line(sql));
  ForwardingConnection::execute(sql);
}

std::unique_ptr<Cursor> FaultInjectingConnection::query(const std::string& sql) {
  step(Operation::Query, first_line(sql));
  return std::make_unique<FaultInjectingCursor>(ForwardingConnection::query(sql), *this);
}

}  // namespace kovo::test
