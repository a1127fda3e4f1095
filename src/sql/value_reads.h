// How a column value reads as each of the runner's types. `column` names
// the column in error messages, spelled as the caller asked for it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "sql/value.h"

namespace kovo {

// Null reads as 0. A float is rounded to the nearest integer, halves to
// even; a text must hold a decimal integer (blanks around it allowed).
// Anything outside 32 bits, non-finite or not a number raises DatabaseError.
std::int32_t read_integer(const Value& value, std::string_view column);

// Null reads as the empty text; numbers in their shortest decimal form with
// a point ("25", "0.416625", "1e+16"), at most 15 significant digits.
std::string read_string(const Value& value);

// Null reads as 0.0; a text must hold a number written with a point.
double read_float(const Value& value, std::string_view column);

}  // namespace kovo
