#include "invoice/variant_integer.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "talpa_funcs/talpa_funcs.h"

namespace kovo {
namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();

[[noreturn]] void cannot_convert(std::string_view type) {
  throw ConversionError("Could not convert variant of type (" + std::string(type) +
                        ") into type (Integer)");
}

[[noreturn]] void overflow(std::string_view type) {
  throw ConversionError("Overflow while converting variant of type (" + std::string(type) +
                        ") into type (Integer)");
}

std::int32_t from_integer(std::int64_t v, std::string_view type) {
  if (v < kMin || v > kMax) overflow(type);
  return static_cast<std::int32_t>(v);
}

std::int32_t from_float(double v) {
  if (!std::isfinite(v)) cannot_convert("Double");
  // Half to even, independent of the current rounding mode.
  double whole = std::floor(v);
  const double rest = v - whole;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  if (whole < static_cast<double>(kMin) || whole > static_cast<double>(kMax)) overflow("Double");
  return static_cast<std::int32_t>(whole);
}

std::int32_t from_text(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  if (i == s.size()) cannot_convert("String");
  std::int64_t magnitude = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') cannot_convert("String");
    magnitude = magnitude * 10 + (s[i] - '0');
    if (magnitude > kMax + 1) overflow("String");
  }
  return from_integer(negative ? -magnitude : magnitude, "String");
}

}  // namespace

std::int32_t variant_to_integer(const Value& value) {
  switch (value.kind) {
    case Value::Kind::Integer:
      return from_integer(value.integer, "Int64");
    case Value::Kind::Float:
      return from_float(value.real);
    case Value::Kind::Text:
      return from_text(value.text);
    case Value::Kind::Null:
      break;
  }
  cannot_convert("Null");
}

}  // namespace kovo
