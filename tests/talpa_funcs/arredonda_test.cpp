#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "talpa_funcs/talpa_funcs.h"

namespace kovo {
namespace {

constexpr Separators kPointDecimal{'.', ',', '-', '.'};

struct RoundCase {
  double amount;
  std::int32_t decimals;
  const char* read_back;  // general number text of the scaled amount
  Extended expected;      // i / p as the last step computes it
};

const RoundCase kRoundCases[] = {
    {2.675, 2, "267,5", 268.0L / 100},
    {1.005, 2, "100,5", 101.0L / 100},
    {-2.675, 2, "-267,5", -268.0L / 100},
    {-1.005, 2, "-100,5", -101.0L / 100},
    {0.125, 2, "12,5", 13.0L / 100},
    {2.674999, 2, "267,4999", 267.0L / 100},
    {8.345, 2, "834,5", 835.0L / 100},
    {2.5, 0, "2,5", 3},
    {-2.5, 0, "-2,5", -3},
    {0.4999999999999999, 0, "0,5", 1},
    {-0.4999, 0, "-0,4999", 0},
    {-0.004, 2, "-0,4", 0},
    {0, 2, "0", 0},
    {1234.5, -2, "12,345", 12.0L / (1.0L / 100)},
    {-1250, -2, "-12,5", -13.0L / (1.0L / 100)},
    {1e300, 2, "1E302", 1E302L / 100},
    {1e-300, 2, "1E-298", 0},
    {123456789012.345, 2, "12345678901234,5", 12345678901235.0L / 100},
};

TEST(Arredonda, RoundsHalfAwayFromZeroOnFifteenDigits) {
  for (const RoundCase& c : kRoundCases) {
    Extended p = 1;
    for (int i = 0; i < (c.decimals < 0 ? -c.decimals : c.decimals); ++i) p *= 10;
    if (c.decimals < 0) p = 1 / p;
    EXPECT_EQ(general_number_text(static_cast<Extended>(c.amount) * p), c.read_back) << c.amount;
    EXPECT_EQ(arredonda(c.amount, c.decimals), c.expected) << c.amount << " " << c.decimals;
  }
}

TEST(Arredonda, ReadsBackUnderTheSameSeparators) {
  for (const RoundCase& c : kRoundCases) {
    EXPECT_EQ(arredonda(c.amount, c.decimals, kPointDecimal), c.expected) << c.amount;
  }
}

TEST(Arredonda, NegligibleUnitsRoundEverythingToZero) {
  // 10^-5000 is below the smallest extended value; the amount rounds to 0
  // (not to 0 / 0).
  for (const Extended amount : {Extended{123}, -std::numeric_limits<Extended>::max(), Extended{0}}) {
    EXPECT_EQ(arredonda(amount, -5000), 0) << amount;
    EXPECT_EQ(arredonda(amount, std::numeric_limits<std::int32_t>::min()), 0) << amount;
  }
}

TEST(Arredonda, NonFiniteProductsAreConversionErrors) {
  const Extended inf = std::numeric_limits<Extended>::infinity();
  const struct {
    Extended amount;
    std::int32_t decimals;
    const char* message;
  } cases[] = {
      {inf, 2, "'INF' is not a valid floating point value"},
      {-inf, 2, "'-INF' is not a valid floating point value"},
      {std::numeric_limits<Extended>::quiet_NaN(), 2, "'NAN' is not a valid floating point value"},
      {-std::numeric_limits<Extended>::quiet_NaN(), 0, "'NAN' is not a valid floating point value"},
      // 10^5000 overflows: the product is infinite, or NaN for zero.
      {1, 5000, "'INF' is not a valid floating point value"},
      {0, 5000, "'NAN' is not a valid floating point value"},
      {std::numeric_limits<Extended>::max(), 2, "'INF' is not a valid floating point value"},
  };
  for (const auto& c : cases) {
    try {
      arredonda(c.amount, c.decimals);
      ADD_FAILURE() << c.message << ": no error";
    } catch (const ConversionError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

}  // namespace
}  // namespace kovo
