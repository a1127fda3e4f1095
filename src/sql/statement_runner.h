// The statement runner: a statement composed line by line, executed or
// opened on a connection, and read by column name from its first row.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "sql/connection.h"
#include "sql/value.h"

namespace kovo {

class StatementRunner {
 public:
  // Binds to `connection`, which may be null: the first statement then fails
  // with "SQLConnection property required for this operation".
  explicit StatementRunner(Connection* connection);
  ~StatementRunner();
  StatementRunner(const StatementRunner&) = delete;
  StatementRunner& operator=(const StatementRunner&) = delete;

  // Each change closes an open result. The text grows in place: a line is
  // appended, never the whole text rebuilt. The per-line members are
  // defined below, inline: a statement row writes a hundred lines.
  void clear();
  // Makes room for a statement of about `bytes`, so that a long one is not
  // copied as it grows. Changes nothing else.
  void reserve(std::size_t bytes) { text_.reserve(bytes); }
  void add(std::string_view line);
  // Adds several whole lines at once, `lines` holding each one followed by
  // CR LF: the same text and the same closing of a result as adding them
  // one by one, for the fixed parts of a statement joined when compiled.
  void add_lines(std::string_view lines);
  // Starts a line and returns the text to append its pieces to, so that a
  // line can be written in place from its literal forms; end_line() ends
  // it. add, execute and open end a line left unfinished.
  std::string& begin_line();
  void end_line();

  // The statement text: every line followed by CR LF.
  const std::string& text() const { return text_; }

  // Both open a closed connection first. A null connection raises
  // DatabaseError "SQLConnection property required for this operation".
  void execute();
  void open();

  // Reads of the first row of the open result; a missing column raises
  // DatabaseError "Field 'NAME' not found" (names compared ignoring case).
  // Null and no-row read as 0, 0.0, the empty text and null. A value that
  // cannot be read as the type asked (a text that holds no number, an
  // integer beyond 32 bits) raises DatabaseError; see value_reads.h.
  std::int32_t as_integer(std::string_view column);
  std::string as_string(std::string_view column);
  double as_float(std::string_view column);
  Value as_variant(std::string_view column);

  // Runners alive on this thread, for tests that prove none outlives its call.
  static int live_count();

 private:
  int find_column(std::string_view column) const;
  void close_result() { result_.reset(); }
  Connection& connection();

  Connection* connection_;
  std::string text_;
  std::unique_ptr<Cursor> result_;
  bool line_open_ = false;
};

// Two push_backs stay inline where an append of "\r\n" is a call.
inline void StatementRunner::end_line() {
  if (!line_open_) return;
  line_open_ = false;
  text_.push_back('\r');
  text_.push_back('\n');
}

inline void StatementRunner::add(std::string_view line) {
  end_line();
  close_result();
  text_.append(line);
  text_.push_back('\r');
  text_.push_back('\n');
}

inline void StatementRunner::add_lines(std::string_view lines) {
  end_line();
  close_result();
  text_.append(lines);
}

inline std::string& StatementRunner::begin_line() {
  end_line();
  close_result();
  line_open_ = true;
  return text_;
}

}  // namespace kovo
