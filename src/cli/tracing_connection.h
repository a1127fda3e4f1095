// A connection that writes every statement it passes on, exactly as sent,
// to a trace file, one JSON object per line:
//   {"op":"open","sql":"..."}      a query (the runner opens a result)
//   {"op":"execute","sql":"..."}   a statement that returns no rows
//   {"op":"error","message":"..."} a database error raised by either
// Texts are the library's Windows-1252 bytes written as UTF-8 JSON (CR LF
// kept, as \r\n). It also remembers the last error's message, so that a
// caller can say why an operation returned its failure result.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "sql/connection.h"

namespace kovo {

// The JSON string literal (with its quotes) of Windows-1252 bytes.
std::string json_string(std::string_view windows1252);

class TracingConnection final : public ForwardingConnection {
 public:
  // `trace` may be null: then only the last error is kept. The file stays
  // the caller's; each line is flushed as it is written.
  TracingConnection(Connection& inner, std::FILE* trace);

  void execute(const std::string& sql) override;
  std::unique_ptr<Cursor> query(const std::string& sql) override;
  void begin() override;
  void commit() override;
  void rollback() override;

  const std::string& last_error() const { return last_error_; }
  void forget_error() { last_error_.clear(); }

 private:
  void write(std::string_view op, std::string_view key, std::string_view text);
  template <typename Body>
  auto watch(Body&& body) -> decltype(body());

  std::FILE* trace_;
  std::string last_error_;
};

}  // namespace kovo
