#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "talpa_funcs/talpa_funcs.h"

namespace kovo {
namespace {

constexpr double kMs = 1.0 / 86'400'000;  // one millisecond in days

TEST(DateLiteral, ProlepticGregorianDatesFromDayZero) {
  // Day counts from 30 December 1899 of dates checked against an
  // independent proleptic Gregorian calendar.
  const struct {
    double days;
    const char* literal;
  } cases[] = {
      {0, "'12/30/1899'"},
      {45358, "'03/07/2024'"},
      {45358.99, "'03/07/2024'"},
      {-1, "'12/29/1899'"},
      {25569, "'01/01/1970'"},
      {60, "'02/28/1900'"},  // 1900 is no leap year
      {61, "'03/01/1900'"},
      {36585, "'02/29/2000'"},  // 2000 is one
      {36586, "'03/01/2000'"},
      {73109, "'02/28/2100'"},
      {73110, "'03/01/2100'"},
      {-109512, "'02/29/1600'"},
      {-115859, "'10/14/1582'"},  // no Julian gap
      {-547803, "'02/29/0400'"},
      {-693229, "'12/31/0001'"},
      {-693593, "'01/01/0001'"},
      {2958465, "'12/31/9999'"},
  };
  for (const auto& c : cases) EXPECT_EQ(date_literal(c.days), c.literal) << c.days;
}

TEST(DateLiteral, RoundsToTheMillisecondBeforeTakingTheDay) {
  const struct {
    double days;
    const char* date;
    const char* time;
  } cases[] = {
      // About 0.09 ms before midnight: the next day at 00:00:00.
      {45000.999999999, "'03/16/2023'", "'00:00:00'"},
      {45001 - 0.4 * kMs, "'03/16/2023'", "'00:00:00'"},
      {45001 - 0.6 * kMs, "'03/15/2023'", "'23:59:59'"},
      // Negative counts go back from day 0; the fraction's magnitude is the
      // time of day.
      {-1.25, "'12/29/1899'", "'06:00:00'"},
      {-0.5, "'12/30/1899'", "'12:00:00'"},
      {-0.75, "'12/30/1899'", "'18:00:00'"},
      {-1e-12, "'12/30/1899'", "'00:00:00'"},
      {-1 + 0.1 * kMs, "'12/29/1899'", "'00:00:00'"},
      {-693593.5, "'01/01/0001'", "'12:00:00'"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(date_literal(c.days), c.date) << c.days;
    EXPECT_EQ(time_literal(c.days), c.time) << c.days;
  }
}

TEST(DateLiteral, BeforeTheYearOneIsAllZeros) {
  for (const double days : {-693594.0, -693593.9999999999 - 1, -1e9, -1e300,
                            -std::numeric_limits<double>::max()}) {
    EXPECT_EQ(date_literal(days), "'00/00/0000'") << days;
  }
  // The first day is dated to its end.
  EXPECT_EQ(date_literal(-693593.9999999), "'01/01/0001'");
}

TEST(DateLiteral, ValuesWithoutADateOfFourDigitsAreRejected) {
  const struct {
    double days;
    const char* message;
  } cases[] = {
      {2958466, "'2958466' is not a valid date"},
      // Rounded to the millisecond it is already 1 January 10000.
      {2958465.9999999999, "'2958466' is not a valid date"},
      {1e300, "'1E300' is not a valid date"},
      {std::numeric_limits<double>::infinity(), "'INF' is not a valid date"},
      {-std::numeric_limits<double>::infinity(), "'-INF' is not a valid date"},
      {std::numeric_limits<double>::quiet_NaN(), "'NAN' is not a valid date"},
  };
  for (const auto& c : cases) {
    std::string line = "keep ";
    try {
      append_date_literal(line, c.days);
      ADD_FAILURE() << c.message << ": no error";
    } catch (const ConversionError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_EQ(line, "keep ");
  }
}

TEST(TimeLiteral, TimeOfDayToTheSecondAfterMillisecondRounding) {
  const struct {
    double days;
    const char* literal;
  } cases[] = {
      {0, "'00:00:00'"},
      {0.75, "'18:00:00'"},
      {12345.75, "'18:00:00'"},  // whole days do not count
      {0.5 + 0.6 / 86400, "'12:00:00'"},
      {0.5 + 0.9996 / 86400, "'12:00:01'"},
      {0.5 + 0.9994 / 86400, "'12:00:00'"},
      {1.0 / 24 + 1.0 / 1440 + 1.0 / 86400, "'01:01:01'"},
      {1 - 1.0 / 86400, "'23:59:59'"},
      {1 - 0.6 * kMs, "'23:59:59'"},
      {1 - 0.4 * kMs, "'00:00:00'"},
      {0.0000004, "'00:00:00'"},
      {1e300, "'00:00:00'"},
      {-1e300, "'00:00:00'"},
      {std::numeric_limits<double>::denorm_min(), "'00:00:00'"},
  };
  for (const auto& c : cases) EXPECT_EQ(time_literal(c.days), c.literal) << c.days;
}

TEST(TimeLiteral, NonFiniteValuesAreRejected) {
  const struct {
    double days;
    const char* message;
  } cases[] = {
      {std::numeric_limits<double>::infinity(), "'INF' is not a valid time"},
      {std::numeric_limits<double>::quiet_NaN(), "'NAN' is not a valid time"},
  };
  for (const auto& c : cases) {
    try {
      time_literal(c.days);
      ADD_FAILURE() << c.message << ": no error";
    } catch (const ConversionError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

TEST(DateTimeLiterals, FollowTheGivenSeparators) {
  const Separators seps{'.', ',', '-', '.'};
  EXPECT_EQ(date_literal(45358, seps), "'03-07-2024'");
  EXPECT_EQ(date_literal(-1e9, seps), "'00-00-0000'");
  EXPECT_EQ(time_literal(0.75 + 1.0 / 1440, seps), "'18.01.00'");
  try {
    date_literal(1e7, seps);
    ADD_FAILURE() << "no error";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'10000000' is not a valid date");
  }
  std::string line = "(";
  append_date_literal(line, 45358.75, seps);
  line += ", ";
  append_time_literal(line, 45358.75, seps);
  EXPECT_EQ(line, "('03-07-2024', '18.00.00'");
}

}  // namespace
}  // namespace kovo
