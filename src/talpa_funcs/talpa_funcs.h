// The text forms in which values enter a statement, and the two utility
// routines valor_sql and arredonda.
//
// Every form takes the separators as a value so that its rule stays testable
// for any separators; the statements always use kBrazilian (another locale
// would turn 1234.5 into 12345 and swap day and month).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "talpa_funcs/extended.h"

namespace kovo {

struct Separators {
  char decimal;
  char thousands;
  char date;
  char time;
};

inline constexpr Separators kBrazilian{',', '.', '/', ':'};

// A text that cannot be read as a number (arredonda of a non-finite value).
// Not a database error: the operations let it pass to their caller.
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The append_ forms write onto the end of `out` and allocate nothing beyond
// the growth of `out`; the returning forms are conveniences over them.
//
// Numbers: the digits are those of the value's exact decimal expansion
// rounded to 18 significant digits (ties to even), then cut to 15 by the
// 16th digit. Nothing depends on the C library's formatting or locale.
//
// Dates and times: the day count is rounded to the nearest millisecond; a
// negative count goes back from 30 December 1899, its fraction's magnitude
// being the time of day. A date before 1 January 0001 is "00/00/0000". A
// NaN or infinite value, and a date after 31 December 9999, throw
// ConversionError ("'<general number text>' is not a valid date" or
// "... valid time") and leave `out` as it was.
void append_integer_literal(std::string& out, std::int32_t value);
void append_general_number_text(std::string& out, Extended value,
                                const Separators& seps = kBrazilian);
void append_general_number_text(std::string& out, double value,
                                const Separators& seps = kBrazilian);
void append_amount_literal(std::string& out, double amount);
void append_amount_literal(std::string& out, Extended amount);
void append_quoted_text(std::string& out, std::string_view text);
void append_date_literal(std::string& out, double datetime,
                         const Separators& seps = kBrazilian);
void append_time_literal(std::string& out, double datetime,
                         const Separators& seps = kBrazilian);
void append_money_text(std::string& out, Extended value,
                       const Separators& seps = kBrazilian);
// Always for Brazilian separators: "," becomes ".", "." is dropped.
void append_valor_sql(std::string& out, std::string_view text);

std::string integer_literal(std::int32_t value);
std::string general_number_text(Extended value, const Separators& seps = kBrazilian);
std::string general_number_text(double value, const Separators& seps = kBrazilian);
std::string amount_literal(double amount);
std::string amount_literal(Extended amount);
std::string quoted_text(std::string_view text);
std::string date_literal(double datetime, const Separators& seps = kBrazilian);
std::string time_literal(double datetime, const Separators& seps = kBrazilian);
std::string money_text(Extended value, const Separators& seps = kBrazilian);
std::string valor_sql(std::string_view text);

// Rounds half away from zero to `decimals` places, judged on the first 15
// significant digits of amount * 10^decimals. Throws ConversionError
// ("'INF' is not a valid floating point value") for a non-finite product.
// Runs under its own X87PrecisionGuard, so the caller's precision and
// rounding settings do not matter and are left as they were. A unit
// 10^-decimals too small for the extended type rounds every amount to 0.
Extended arredonda(Extended amount, std::int32_t decimals,
                   const Separators& seps = kBrazilian);

}  // namespace kovo
