// A small, strict JSON reader (RFC 8259) for the tool's document files.
// Texts come back as UTF-8, numbers as the literal text they were written
// with, so that the reader of a value decides how to take a number.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kovo::json {

struct Value {
  enum class Kind { Null, Boolean, Number, String, Array, Object };

  Kind kind = Kind::Null;
  bool boolean = false;
  // String: the decoded UTF-8 text. Number: the number as written.
  std::string text;
  std::vector<Value> items;                             // Array
  std::vector<std::pair<std::string, Value>> members;  // Object, in file order
  int line = 0;  // where the value starts, from 1
  int column = 0;

  // Defined where Value is complete: clang before 16 otherwise instantiates
  // the destructor of `members` while Value is still incomplete.
  Value();
  ~Value();
  Value(const Value&);
  Value(Value&&) noexcept;
  Value& operator=(const Value&);
  Value& operator=(Value&&) noexcept;

  // The member named `key`, or null when there is none.
  const Value* find(std::string_view key) const;
};

// "a text", "a number", "true", ... for error messages.
std::string describe(const Value& value);

class ParseError : public std::runtime_error {
 public:
  ParseError(int line, int column, const std::string& what);
  int line() const { return line_; }
  int column() const { return column_; }

 private:
  int line_;
  int column_;
};

// Nesting deeper than this is refused rather than risking the stack.
inline constexpr int kMaxDepth = 64;

// Parses one JSON value filling the whole input (a leading UTF-8 byte-order
// mark is skipped). The input must be UTF-8; a duplicate key in an object,
// a lone surrogate or an invalid byte is a ParseError, as is any syntax
// error, with the line and column where it was found.
Value parse(std::string_view input);

}  // namespace kovo::json
