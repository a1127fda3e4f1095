// Writes one value line of a statement in place: the value's literal form
// followed by the line's separator, straight into the runner's text, so a
// value costs no text of its own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "sql/statement_runner.h"
#include "talpa_funcs/talpa_funcs.h"

namespace kovo {

// Room a value line takes in most statements (a short literal, its
// separator and CR LF), for reserving a statement's text up front; a longer
// remark or description makes the text grow once more.
inline constexpr std::size_t kTypicalValueLine = 16;

class ValueLines {
 public:
  explicit ValueLines(StatementRunner& runner) : runner_(runner) {}

  void integer(std::int32_t value, std::string_view separator) {
    std::string& line = runner_.begin_line();
    append_integer_literal(line, value);
    finish(line, separator);
  }
  void amount(double value, std::string_view separator) {
    std::string& line = runner_.begin_line();
    append_amount_literal(line, value);
    finish(line, separator);
  }
  // An extended result written with all its digits, not narrowed first.
  void amount(Extended value, std::string_view separator) {
    std::string& line = runner_.begin_line();
    append_amount_literal(line, value);
    finish(line, separator);
  }
  void text(std::string_view value, std::string_view separator) {
    std::string& line = runner_.begin_line();
    append_quoted_text(line, value);
    finish(line, separator);
  }
  void date(double value, std::string_view separator) {
    std::string& line = runner_.begin_line();
    append_date_literal(line, value);
    finish(line, separator);
  }
  void time(double value, std::string_view separator) {
    std::string& line = runner_.begin_line();
    append_time_literal(line, value);
    finish(line, separator);
  }

 private:
  void finish(std::string& line, std::string_view separator) {
    line += separator;
    runner_.end_line();
  }

  StatementRunner& runner_;
};

}  // namespace kovo
