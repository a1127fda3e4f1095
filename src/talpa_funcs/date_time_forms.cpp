// The date and time literals. A day count is split into whole days and the
// time of day in exact integer arithmetic, rounded to the nearest
// millisecond (halves away from zero).
#include <cmath>
#include <cstdint>

#include "talpa_funcs/float_bits.h"
#include "talpa_funcs/number_text.h"
#include "talpa_funcs/talpa_funcs.h"

namespace kovo {
namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;

// Days from the civil date to 1 March of year 0 ... then to day 0,
// 30 December 1899, in the proleptic Gregorian calendar.
constexpr std::int64_t days_from_civil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 693'899;
}

constexpr std::int64_t kFirstDay = days_from_civil(1, 1, 1);
constexpr std::int64_t kLastDay = days_from_civil(9999, 12, 31);
static_assert(days_from_civil(1899, 12, 30) == 0);

struct CivilDate {
  int year;
  unsigned month;
  unsigned day;
};

constexpr CivilDate civil_from_days(std::int64_t days) {
  const std::int64_t z = days + 693'899;
  const std::int64_t era = (z >= 0 ? z : z - 146'096) / 146'097;
  const auto doe = static_cast<unsigned>(z - era * 146'097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146'096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2 ? 1 : 0)), m, d};
}

struct DayAndTime {
  double day;         // whole days, toward zero, after the rounding
  std::int64_t ms;    // time of day, 0 .. kMsPerDay-1
};

[[noreturn]] void throw_not_valid(double value, const char* what, const Separators& seps) {
  char buf[detail::kNumberTextCapacity];
  const std::size_t n = detail::write_general_number(buf, value, seps);
  throw ConversionError("'" + std::string(buf, n) + "' is not a valid " + what);
}

// A negative count goes back from day 0; the magnitude of its fraction is
// the time of day.
DayAndTime split_day(double value, const char* what, const Separators& seps) {
  if (!std::isfinite(value)) throw_not_valid(value, what, seps);
  double day = std::trunc(value);
  const double fraction = value - day;  // exact
  std::int64_t ms = 0;
  const detail::FloatParts f = detail::split(fraction);
  if (f.kind == detail::FloatKind::finite) {
    // |fraction| * 86400000 = significand * 84375 * 2^(exponent + 10); a
    // fraction below 1 has an exponent of -53 or less.
    const detail::U128 product = detail::mul_64x64(f.significand, 84'375);
    const int shift = -(f.exponent + 10);
    if (shift < 128) {
      ms = static_cast<std::int64_t>(detail::shift_right(product, shift).lo);
      if ((detail::shift_right(product, shift - 1).lo & 1) != 0) ++ms;
    }
  }
  if (ms == kMsPerDay) {
    ms = 0;
    day += value < 0 ? -1 : 1;
  }
  return {day, ms};
}

char* put2(char* p, unsigned v) {
  *p++ = static_cast<char>('0' + v / 10 % 10);
  *p++ = static_cast<char>('0' + v % 10);
  return p;
}

}  // namespace

void append_date_literal(std::string& out, double datetime, const Separators& seps) {
  const DayAndTime t = split_day(datetime, "date", seps);
  char text[12] = "'00/00/0000";
  text[3] = text[6] = seps.date;
  if (t.day > static_cast<double>(kLastDay)) throw_not_valid(datetime, "date", seps);
  if (t.day >= static_cast<double>(kFirstDay)) {
    const CivilDate c = civil_from_days(static_cast<std::int64_t>(t.day));
    put2(text + 1, c.month);
    put2(text + 4, c.day);
    put2(put2(text + 7, static_cast<unsigned>(c.year / 100)), static_cast<unsigned>(c.year % 100));
  }
  out.append(text, 11);
  out.push_back('\'');
}

void append_time_literal(std::string& out, double datetime, const Separators& seps) {
  const DayAndTime t = split_day(datetime, "time", seps);
  const auto seconds = static_cast<unsigned>(t.ms / 1000);
  char text[10];
  char* p = text;
  *p++ = '\'';
  p = put2(p, seconds / 3600);
  *p++ = seps.time;
  p = put2(p, seconds / 60 % 60);
  *p++ = seps.time;
  p = put2(p, seconds % 60);
  *p++ = '\'';
  out.append(text, 10);
}

std::string date_literal(double datetime, const Separators& seps) {
  std::string out;
  append_date_literal(out, datetime, seps);
  return out;
}

std::string time_literal(double datetime, const Separators& seps) {
  std::string out;
  append_time_literal(out, datetime, seps);
  return out;
}

}  // namespace kovo
