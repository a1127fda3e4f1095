#include "drivers/firebird_values.h"

#include <charconv>
#include <cstring>
#include <system_error>

#include "sql/database_error.h"

namespace kovo::firebird {

namespace {

template <typename T>
T read_as(const char* data) {
  T value;
  std::memcpy(&value, data, sizeof value);
  return value;
}

void append_digits(std::string& out, std::int64_t value, int width) {
  char digits[24];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  (void)error;
  const auto count = static_cast<int>(end - digits);
  if (value >= 0 && count < width) out.append(static_cast<std::size_t>(width - count), '0');
  out.append(digits, end);
}

}  // namespace

std::string date_text(std::int32_t days_since_1858_11_17) {
  // Civil date from a day count (proleptic Gregorian), counting from
  // 1 March of year 0 so that leap days fall at the end of each year.
  const std::int64_t days = std::int64_t{days_since_1858_11_17} + 678881;  // 0000-03-01 is day 0
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t day_of_era = days - era * 146097;
  const std::int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t month_index = (5 * day_of_year + 2) / 153;  // 0 = March
  const std::int64_t day = day_of_year - (153 * month_index + 2) / 5 + 1;
  const std::int64_t month = month_index < 10 ? month_index + 3 : month_index - 9;
  const std::int64_t year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);

  std::string out;
  append_digits(out, year, 4);
  out += '-';
  append_digits(out, month, 2);
  out += '-';
  append_digits(out, day, 2);
  return out;
}

std::string time_text(std::uint32_t ten_thousandths) {
  const std::uint32_t seconds = ten_thousandths / 10000;
  std::string out;
  append_digits(out, seconds / 3600, 2);
  out += ':';
  append_digits(out, seconds / 60 % 60, 2);
  out += ':';
  append_digits(out, seconds % 60, 2);
  out += '.';
  append_digits(out, ten_thousandths % 10000, 4);
  return out;
}

double scaled_to_double(std::int64_t scaled, int scale) {
  if (scale == 0) return static_cast<double>(scaled);
  // "digits e scale", read as a decimal: correctly rounded and independent
  // of the C library's locale.
  char text[48];
  auto [end, error] = std::to_chars(text, text + 24, scaled);
  (void)error;
  *end++ = 'e';
  end = std::to_chars(end, text + sizeof text, scale).ptr;
  double value = 0.0;
  std::from_chars(text, end, value);
  return value;
}

Value column_value(const SqlVar& var) {
  const int type = var.sqltype & ~1;
  if (type == kNull || ((var.sqltype & 1) && var.sqlind && *var.sqlind < 0)) return Value::null();
  const char* data = var.sqldata;
  switch (type) {
    case kShort:
    case kLong:
    case kInt64: {
      const std::int64_t scaled = type == kShort  ? read_as<std::int16_t>(data)
                                  : type == kLong ? read_as<std::int32_t>(data)
                                                  : read_as<std::int64_t>(data);
      if (var.sqlscale == 0) return Value::of_integer(scaled);
      return Value::of_float(scaled_to_double(scaled, var.sqlscale));
    }
    case kFloat:
      return Value::of_float(static_cast<double>(read_as<float>(data)));
    case kDouble:
    case kDFloat:
      return Value::of_float(read_as<double>(data));
    case kBoolean:
      return Value::of_integer(data[0] != 0 ? 1 : 0);
    case kText:
      return Value::of_text(std::string(data, static_cast<std::size_t>(var.sqllen)));
    case kVarying: {
      const auto length = static_cast<std::size_t>(read_as<std::uint16_t>(data));
      return Value::of_text(std::string(data + 2, length));
    }
    case kTypeDate:
      return Value::of_text(date_text(read_as<std::int32_t>(data)));
    case kTypeTime:
      return Value::of_text(time_text(read_as<std::uint32_t>(data)));
    case kTimestamp: {
      const auto stamp = read_as<Timestamp>(data);
      return Value::of_text(date_text(stamp.date) + " " + time_text(stamp.time));
    }
    default:
      throw DatabaseError("Column '" + std::string(var.aliasname, static_cast<std::size_t>(var.aliasname_length)) +
                          "' has a type the Firebird driver does not read (" + std::to_string(type) + ")");
  }
}

}  // namespace kovo::firebird
