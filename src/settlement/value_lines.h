// Writes the value lines of a statement: each value's literal form, the
// line's separator and CR LF. The lines are gathered in a buffer of the
// writer's own and added to the runner a bufferful at a time
// (StatementRunner::add_lines): the same text as adding them one by one, at
// a fraction of the cost of growing the statement line by line. finish()
// adds the lines still gathered; call it before the statement's next line
// and before it runs.
#pragma once

#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "sql/statement_runner.h"
#include "talpa_funcs/number_text.h"
#include "talpa_funcs/talpa_funcs.h"

namespace kovo {

// Room a value line takes in most statements (a short literal, its
// separator and CR LF), for reserving a statement's text up front; a longer
// remark or description makes the text grow once more.
inline constexpr std::size_t kTypicalValueLine = 16;

class ValueLines {
 public:
  explicit ValueLines(StatementRunner& runner) : runner_(runner) {}
  ValueLines(const ValueLines&) = delete;
  ValueLines& operator=(const ValueLines&) = delete;

  void integer(std::int32_t value, std::string_view separator) {
    char* p = room(kIntegerLength + separator.size());
    p = std::to_chars(p, p + kIntegerLength, value).ptr;
    end(p, separator);
  }
  void amount(double value, std::string_view separator) {
    char* p = room(detail::kNumberTextCapacity + separator.size());
    end(p + detail::write_amount_literal(p, value), separator);
  }
  // An extended result written with all its digits, not narrowed first.
  void amount(Extended value, std::string_view separator) {
    char* p = room(detail::kNumberTextCapacity + separator.size());
    end(p + detail::write_amount_literal(p, value), separator);
  }
  void text(std::string_view value, std::string_view separator) {
    const std::size_t longest = detail::quoted_text_capacity(value.size()) + separator.size();
    if (longest + 2 > sizeof buffer_) {  // a long text goes straight in
      std::string& line = in_place();
      append_quoted_text(line, value);
      line += separator;
      runner_.end_line();
      return;
    }
    char* p = room(longest);
    end(p + detail::write_quoted_text(p, value), separator);
  }
  // Dates and times are few: written in place.
  void date(double value, std::string_view separator) {
    std::string& line = in_place();
    append_date_literal(line, value);
    line += separator;
    runner_.end_line();
  }
  void time(double value, std::string_view separator) {
    std::string& line = in_place();
    append_time_literal(line, value);
    line += separator;
    runner_.end_line();
  }

  void finish() {
    if (used_ == 0) return;
    runner_.add_lines(std::string_view(buffer_, used_));
    used_ = 0;
  }

 private:
  static constexpr std::size_t kIntegerLength = 11;  // "-2147483648"

  // At least `bytes` and CR LF free at the end of the buffer.
  char* room(std::size_t bytes) {
    if (used_ + bytes + 2 > sizeof buffer_) finish();
    return buffer_ + used_;
  }
  void end(char* p, std::string_view separator) {
    std::memcpy(p, separator.data(), separator.size());
    p += separator.size();
    *p++ = '\r';
    *p++ = '\n';
    used_ = static_cast<std::size_t>(p - buffer_);
  }
  std::string& in_place() {
    finish();
    return runner_.begin_line();
  }

  StatementRunner& runner_;
  std::size_t used_ = 0;
  char buffer_[1024];
};

// The rows of the long inserts are listed as X(column line, form, value,
// separator); these turn such a list into the fixed head, the count of its
// values and the value lines.
#define KOVO_ROW_COLUMN_LINE(column, form, value, separator) column "\r\n"
#define KOVO_ROW_COUNT_VALUE(column, form, value, separator) +1
#define KOVO_ROW_VALUE_LINE(column, form, value, separator) values.form(value, separator);

// Composes an insert: `head` holds its fixed lines up to "VALUES(",
// `write_values` adds its `value_count` value lines, and ")" closes it.
template <typename WriteValues>
void compose_row_insert(StatementRunner& runner, std::string_view head, std::size_t value_count,
                        WriteValues&& write_values) {
  runner.clear();
  runner.reserve(head.size() + (value_count + 1) * kTypicalValueLine);
  runner.add_lines(head);
  ValueLines values(runner);
  write_values(values);
  values.finish();
  runner.add(")");
}

}  // namespace kovo
