#include "sql/value_reads.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "sql/database_error.h"

namespace kovo {

namespace {

std::string_view trim_blanks(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

[[noreturn]] void not_a(std::string_view what, const Value& value, std::string_view column) {
  throw DatabaseError("Field '" + std::string(column) + "' value '" + read_string(value) +
                      "' is not a valid " + std::string(what));
}

bool fits_int32(std::int64_t v) {
  return v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace

std::int32_t read_integer(const Value& value, std::string_view column) {
  switch (value.kind) {
    case Value::Kind::Null:
      return 0;
    case Value::Kind::Integer:
      if (!fits_int32(value.integer)) not_a("32-bit integer", value, column);
      return static_cast<std::int32_t>(value.integer);
    case Value::Kind::Float: {
      // Halves to even, whatever rounding mode the host left the FPU in.
      double rounded = std::floor(value.real);
      const double fraction = value.real - rounded;
      if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0)) rounded += 1.0;
      if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) not_a("32-bit integer", value, column);
      return static_cast<std::int32_t>(rounded);
    }
    case Value::Kind::Text: {
      std::string_view text = trim_blanks(value.text);
      if (!text.empty() && text.front() == '+') text.remove_prefix(1);
      std::int32_t result = 0;
      const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
      if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        not_a("32-bit integer", value, column);
      }
      return result;
    }
  }
  return 0;
}

std::string read_string(const Value& value) {
  switch (value.kind) {
    case Value::Kind::Null:
      return {};
    case Value::Kind::Integer:
      return std::to_string(value.integer);
    case Value::Kind::Float: {
      char buffer[32];
      const auto result =
          std::to_chars(buffer, buffer + sizeof buffer, value.real, std::chars_format::general, 15);
      return std::string(buffer, result.ptr);
    }
    case Value::Kind::Text:
      return value.text;
  }
  return {};
}

double read_float(const Value& value, std::string_view column) {
  switch (value.kind) {
    case Value::Kind::Null:
      return 0.0;
    case Value::Kind::Integer:
      return static_cast<double>(value.integer);
    case Value::Kind::Float:
      return value.real;
    case Value::Kind::Text: {
      std::string_view text = trim_blanks(value.text);
      if (!text.empty() && text.front() == '+') text.remove_prefix(1);
      double result = 0.0;
      const auto [end, error] =
          std::from_chars(text.data(), text.data() + text.size(), result, std::chars_format::general);
      if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        not_a("floating point value", value, column);
      }
      return result;
    }
  }
  return 0.0;
}

}  // namespace kovo
