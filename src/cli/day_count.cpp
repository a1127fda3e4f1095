#include "cli/day_count.h"

#include <cstddef>

namespace kovo {
namespace {

bool is_leap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int days_in_month(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && is_leap(year) ? 29 : kDays[month - 1];
}

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  bool at_end() const { return pos_ == text_.size(); }
  char peek() const { return at_end() ? '\0' : text_[pos_]; }
  void advance() { ++pos_; }
  bool take(char c) {
    if (peek() != c) return false;
    ++pos_;
    return true;
  }
  // Exactly `count` digits, or -1.
  int digits(int count) {
    int value = 0;
    for (int i = 0; i < count; ++i) {
      const char c = peek();
      if (c < '0' || c > '9') return -1;
      value = value * 10 + (c - '0');
      ++pos_;
    }
    return value;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// hh:mm[:ss[.fff...]] as a fraction of a day, or an error text.
std::variant<double, std::string> read_time(Reader& r) {
  const int hour = r.digits(2);
  if (hour < 0 || !r.take(':')) return std::string("expected the time as hh:mm[:ss[.fff]]");
  const int minute = r.digits(2);
  if (minute < 0) return std::string("expected the time as hh:mm[:ss[.fff]]");
  int second = 0;
  long long nanos = 0;
  if (r.take(':')) {
    second = r.digits(2);
    if (second < 0) return std::string("expected two digits of seconds");
    if (r.take('.') || r.take(',')) {
      int count = 0;
      for (; r.peek() >= '0' && r.peek() <= '9'; r.advance()) {
        if (++count > 9) return std::string("more than 9 decimals of a second");
        nanos = nanos * 10 + (r.peek() - '0');
      }
      if (count == 0) return std::string("expected the decimals of a second");
      for (; count < 9; ++count) nanos *= 10;
    }
  }
  if (hour > 23) return "hour " + std::to_string(hour) + " out of range";
  if (minute > 59) return "minute " + std::to_string(minute) + " out of range";
  if (second > 59) return "second " + std::to_string(second) + " out of range";
  // Whole nanoseconds, then one division: 18:00:00.250 is exactly the
  // double nearest to its fraction of a day.
  const long long total = (hour * 3600LL + minute * 60LL + second) * 1000000000LL + nanos;
  return static_cast<double>(total) / 86400e9;
}

}  // namespace

long long day_number(int year, int month, int day) {
  // Days from 1 March of year 0 (proleptic Gregorian), then shifted so that
  // 30 December 1899 is 0.
  const long long y = month <= 2 ? year - 1 : year;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long mp = (month + 9) % 12;
  const long long doy = (153 * mp + 2) / 5 + day - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const long long from_epoch_1970 = era * 146097 + doe - 719468;
  return from_epoch_1970 + 25569;
}

std::variant<double, std::string> parse_iso_datetime(std::string_view text) {
  Reader r(text);
  // A time of day alone: "hh:mm..." has its colon third.
  if (text.size() >= 3 && text[2] == ':') {
    auto time = read_time(r);
    if (std::holds_alternative<std::string>(time)) return time;
    if (!r.at_end()) return std::string("unexpected text after the time");
    return time;
  }
  const int year = r.digits(4);
  if (year < 0 || !r.take('-')) return std::string("expected a date as YYYY-MM-DD");
  const int month = r.digits(2);
  if (month < 0 || !r.take('-')) return std::string("expected a date as YYYY-MM-DD");
  const int day = r.digits(2);
  if (day < 0) return std::string("expected a date as YYYY-MM-DD");
  if (year < 1) return std::string("year 0000 out of range");
  if (month < 1 || month > 12) return "month " + std::to_string(month) + " out of range";
  if (day < 1 || day > days_in_month(year, month)) {
    return "day " + std::to_string(day) + " out of range for " + std::to_string(year) + "-" +
           (month < 10 ? "0" : "") + std::to_string(month);
  }
  const auto days = static_cast<double>(day_number(year, month, day));
  if (r.at_end()) return days;
  if (!r.take('T') && !r.take(' ')) return std::string("expected 'T' and a time after the date");
  auto time = read_time(r);
  if (std::holds_alternative<std::string>(time)) return time;
  if (r.peek() == 'Z' || r.peek() == '+' || r.peek() == '-') {
    return std::string("time zones are not supported (the stored value has none)");
  }
  if (!r.at_end()) return std::string("unexpected text after the time");
  const double fraction = std::get<double>(time);
  return days < 0 ? days - fraction : days + fraction;
}

}  // namespace kovo
