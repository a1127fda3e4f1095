// A connection that remembers the message of the last database error that
// passed through it, so that an operation which has already turned the
// error into its failure result can still hand the message to its caller.
#pragma once

#include <memory>
#include <string>

#include "sql/connection.h"
#include "sql/database_error.h"

namespace kovo::capi {

class ErrorMemoConnection final : public ForwardingConnection {
 public:
  using ForwardingConnection::ForwardingConnection;

  void execute(const std::string& sql) override {
    watch([&] { inner().execute(sql); });
  }
  std::unique_ptr<Cursor> query(const std::string& sql) override {
    std::unique_ptr<Cursor> result;
    watch([&] { result = inner().query(sql); });
    return result;
  }

  const std::string& last_error() const { return last_error_; }
  void forget() { last_error_.clear(); }

 private:
  template <typename Body>
  void watch(Body&& body) {
    try {
      body();
    } catch (const DatabaseError& error) {
      last_error_ = error.what();
      throw;
    }
  }

  std::string last_error_;
};

}  // namespace kovo::capi
