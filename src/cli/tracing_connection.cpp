#include "cli/tracing_connection.h"

#include "cli/windows1252.h"
#include "sql/database_error.h"

namespace kovo {

std::string json_string(std::string_view windows1252) {
  const std::string utf8 = windows1252_to_utf8(windows1252);
  std::string out;
  out.reserve(utf8.size() + 2);
  out += '"';
  for (const char c : utf8) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          static const char hex[] = "0123456789abcdef";
          out += "\\u00";
          out += hex[(c >> 4) & 0xF];
          out += hex[c & 0xF];
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

TracingConnection::TracingConnection(Connection& inner, std::FILE* trace)
    : ForwardingConnection(inner), trace_(trace) {}

void TracingConnection::write(std::string_view op, std::string_view key, std::string_view text) {
  if (trace_ == nullptr) return;
  std::string line = "{\"op\":\"";
  line += op;
  line += "\",\"";
  line += key;
  line += "\":";
  line += json_string(text);
  line += "}\n";
  std::fwrite(line.data(), 1, line.size(), trace_);
  std::fflush(trace_);
}

template <typename Body>
auto TracingConnection::watch(Body&& body) -> decltype(body()) {
  try {
    return body();
  } catch (const DatabaseError& error) {
    last_error_ = error.what();
    write("error", "message", last_error_);
    throw;
  }
}

void TracingConnection::execute(const std::string& sql) {
  write("execute", "sql", sql);
  watch([&] { inner().execute(sql); });
}

std::unique_ptr<Cursor> TracingConnection::query(const std::string& sql) {
  write("open", "sql", sql);
  return watch([&] { return inner().query(sql); });
}

// Transaction control is the tool's, not a statement of the library: it is
// not traced, but its errors are.
void TracingConnection::begin() {
  watch([&] { inner().begin(); });
}
void TracingConnection::commit() {
  watch([&] { inner().commit(); });
}
void TracingConnection::rollback() {
  watch([&] { inner().rollback(); });
}

}  // namespace kovo
