// The value literals against independent references. The first byte picks
// the form, the rest is its input:
//   0  a double: general number text, money text and amount literal, whose
//      digits must be those of the exact decimal expansion
//   1  an extended value (any valid 80-bit encoding): the same texts
//   2  arredonda to cents: the exact 15-digit text of the scaled amount,
//      read back by the C library, rounded half away from zero
//   3  a date-time: date and time literals from exact millisecond rounding
//      and the C++ calendar
//   4  a 32-bit integer: integer literal
//   5  a text: quoted text and valor_sql by their rules
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "exact_oracle.h"
#include "talpa_funcs/talpa_funcs.h"

namespace {

using kovo::Extended;

[[noreturn]] void mismatch(const std::string& what, const std::string& got, const std::string& expected) {
  std::fprintf(stderr, "%s: got \"%s\", expected \"%s\"\n", what.c_str(), got.c_str(), expected.c_str());
  std::abort();
}

void expect_equal(const std::string& what, const std::string& got, const std::string& expected) {
  if (got != expected) mismatch(what, got, expected);
}

std::string describe(Extended v) {
  char text[64];
  std::snprintf(text, sizeof text, "%.21Lg", v);
  return text;
}

// The 18-digit rounding of |v| = m * 2^e2, exactly.
template <typename Float>
oracle::Decimal digits18(Float v) {
  constexpr int kBits = std::numeric_limits<Float>::digits;
  int e = 0;
  const Float f = std::frexp(std::fabs(v), &e);
  const auto m = static_cast<std::uint64_t>(std::ldexp(f, kBits));
  return oracle::round_half_even(oracle::expand(0, m, e - kBits), 18);
}

// The general number text and money text of any value, as the rules give them.
template <typename Float>
void expected_texts(Float v, std::string& general, std::string& money) {
  if (std::isnan(v)) {
    general = money = "NAN";
  } else if (std::isinf(v)) {
    general = money = v < 0 ? "-INF" : "INF";
  } else if (v == 0) {
    general = "0";
    money = "0,00";
  } else {
    const oracle::Decimal d = digits18(v);
    oracle::general_text(general, std::signbit(v), d, ',');
    oracle::money_text(money, std::signbit(v), d, ',', '.');
  }
}

// valor_sql by its rule: "," becomes ".", "." goes, the rest stays.
std::string valor_sql_rule(std::string_view text) {
  if (text.empty()) return "0.00";
  std::string out;
  for (const char c : text) {
    if (c == ',') {
      out += '.';
    } else if (c != '.') {
      out += c;
    }
  }
  return out;
}

void check_double(double v) {
  std::string general, money;
  expected_texts(v, general, money);
  const std::string what = describe(v);
  expect_equal("general number text of " + what, kovo::general_number_text(v), general);
  expect_equal("money text of " + what, kovo::money_text(static_cast<Extended>(v)), money);
  expect_equal("amount literal of " + what, kovo::amount_literal(v), valor_sql_rule(general));
}

void check_extended(Extended v) {
  std::string general, money;
  expected_texts(v, general, money);
  const std::string what = describe(v);
  expect_equal("general number text of " + what, kovo::general_number_text(v), general);
  expect_equal("money text of " + what, kovo::money_text(v), money);
}

// An 80-bit value from 10 bytes, its integer bit set as a valid encoding
// has it (clear for zero and subnormals, set otherwise).
Extended extended_from(const std::uint8_t* bytes) {
  std::uint64_t significand;
  std::uint16_t sign_exponent;
  std::memcpy(&significand, bytes, 8);
  std::memcpy(&sign_exponent, bytes + 8, 2);
  const std::uint64_t integer_bit = std::uint64_t{1} << 63;
  significand = (sign_exponent & 0x7FFF) == 0 ? significand & ~integer_bit : significand | integer_bit;
  unsigned char raw[sizeof(Extended)] = {};
  std::memcpy(raw, &significand, 8);
  std::memcpy(raw + 8, &sign_exponent, 2);
  Extended v;
  std::memcpy(&v, raw, sizeof v);
  return v;
}

void check_arredonda(double amount) {
  const Extended y = static_cast<Extended>(amount) * 100;  // exact: 53 + 7 bits
  const std::string what = "arredonda of " + describe(amount);
  std::string general, money;
  expected_texts(y, general, money);
  if (!std::isfinite(y)) {
    try {
      kovo::arredonda(amount, 2);
    } catch (const kovo::ConversionError& error) {
      expect_equal(what, error.what(), "'" + general + "' is not a valid floating point value");
      return;
    }
    mismatch(what, "a result", "a conversion failure");
  }
  // The 15-digit text read back by the C library (correctly rounded).
  std::string text = general;
  for (char& c : text) {
    if (c == ',') c = '.';
  }
  const Extended read_back = std::strtold(text.c_str(), nullptr);
  Extended i = std::trunc(read_back);
  const Extended f = read_back - i;
  if (f >= 0.5L) {
    i += 1;
  } else if (f <= -0.5L) {
    i -= 1;
  }
  const Extended expected = i / 100;
  const Extended got = kovo::arredonda(amount, 2);
  if (got != expected) mismatch(what + " (text " + general + ")", describe(got), describe(expected));
}

constexpr std::int64_t kMsPerDay = 86'400'000;
constexpr double kFirstDay = -693593;  // 1 January of the year 1
constexpr double kLastDay = 2958465;   // 31 December 9999

void check_date_time(double v) {
  const std::string what = "date and time literals of " + describe(v);
  if (!std::isfinite(v)) {
    for (const bool date : {true, false}) {
      try {
        date ? kovo::date_literal(v) : kovo::time_literal(v);
      } catch (const kovo::ConversionError&) {
        continue;
      }
      mismatch(what, "a literal", "a conversion failure");
    }
    return;
  }
  // The time of day to the nearest millisecond, halves up, exactly:
  // |fraction| = m * 2^e2 with e2 <= -53, times 86400000 in 128 bits.
  double day = std::trunc(v);
  const double fraction = std::fabs(v - day);
  std::int64_t ms = 0;
  if (fraction != 0) {
    int e = 0;
    const double f = std::frexp(fraction, &e);
    const auto m = static_cast<std::uint64_t>(std::ldexp(f, 53));
    const int shift = 53 - e;
    __extension__ using u128 = unsigned __int128;
    const u128 product = static_cast<u128>(m) * kMsPerDay;
    if (shift - 1 < 128) {
      const u128 half_units = product >> (shift - 1);
      ms = static_cast<std::int64_t>((half_units >> 1) + (half_units & 1));
    }
  }
  if (ms == kMsPerDay) {
    ms = 0;
    day += v < 0 ? -1 : 1;
  }

  char time[16];
  const std::int64_t s = ms / 1000;
  std::snprintf(time, sizeof time, "'%02d:%02d:%02d'", static_cast<int>(s / 3600), static_cast<int>(s / 60 % 60),
                static_cast<int>(s % 60));
  expect_equal(what, kovo::time_literal(v), time);

  if (day > kLastDay) {
    try {
      kovo::date_literal(v);
    } catch (const kovo::ConversionError&) {
      return;
    }
    mismatch(what, "a literal", "a conversion failure");
  }
  std::string date = "'00/00/0000'";
  if (day >= kFirstDay) {
    using namespace std::chrono;
    const year_month_day ymd{sys_days{days{static_cast<int>(day) - 25569}}};
    char text[16];
    std::snprintf(text, sizeof text, "'%02u/%02u/%04d'", static_cast<unsigned>(ymd.month()),
                  static_cast<unsigned>(ymd.day()), static_cast<int>(ymd.year()));
    date = text;
  }
  expect_equal(what, kovo::date_literal(v), date);
}

void check_text(std::string_view text) {
  std::string quoted = "'";
  for (const char c : text) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  quoted += '\'';
  expect_equal("quoted text", kovo::quoted_text(text), quoted);
  expect_equal("valor_sql", kovo::valor_sql(text), valor_sql_rule(text));
}

template <typename T>
bool take(const std::uint8_t* data, std::size_t size, T& value) {
  if (size < sizeof value) return false;
  std::memcpy(&value, data, sizeof value);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::uint8_t form = data[0] % 6;
  ++data;
  --size;
  double d;
  std::int32_t n;
  switch (form) {
    case 0:
      if (take(data, size, d)) check_double(d);
      break;
    case 1:
      if (size >= 10) check_extended(extended_from(data));
      break;
    case 2:
      if (take(data, size, d)) check_arredonda(d);
      break;
    case 3:
      if (take(data, size, d)) check_date_time(d);
      break;
    case 4:
      if (take(data, size, n)) expect_equal("integer literal", kovo::integer_literal(n), std::to_string(n));
      break;
    default:
      check_text(std::string_view(reinterpret_cast<const char*>(data), size));
      break;
  }
  return 0;
}
