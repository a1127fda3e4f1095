// A connection that hands every statement on to a real one and keeps its
// text: how the baseline gets the library's exact statements.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sql/connection.h"

namespace kovo::bench {

struct LoggedStatement {
  bool is_query;
  std::string text;
};

class StatementLog : public ForwardingConnection {
 public:
  using ForwardingConnection::ForwardingConnection;
  void execute(const std::string& sql) override {
    statements.push_back({false, sql});
    ForwardingConnection::execute(sql);
  }
  std::unique_ptr<Cursor> query(const std::string& sql) override {
    statements.push_back({true, sql});
    return ForwardingConnection::query(sql);
  }

  std::vector<LoggedStatement> statements;
};

}  // namespace kovo::bench
