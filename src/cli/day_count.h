// ISO 8601 dates and times as the library's date-time doubles: days from
// 30 December 1899, the fraction being the time of day.
#pragma once

#include <string>
#include <string_view>
#include <variant>

namespace kovo {

// The day count of a proleptic Gregorian date (1 January 1 to 31 December
// 9999); 30 December 1899 is 0.
long long day_number(int year, int month, int day);

// Reads "YYYY-MM-DD", "YYYY-MM-DDThh:mm[:ss[.fff]]" (a space may stand for
// the T) or a time of day alone, "hh:mm[:ss[.fff]]", which is day 0 plus
// the time. Zone designators are refused: the library's values carry no
// zone. Before 30 December 1899 the time counts away from zero, as the
// library reads it: 29 December 1899 06:00 is -1.25.
// Returns the value, or a text saying what is wrong.
std::variant<double, std::string> parse_iso_datetime(std::string_view text);

}  // namespace kovo
