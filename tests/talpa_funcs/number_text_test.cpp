#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "talpa_funcs/number_text.h"
#include "talpa_funcs/talpa_funcs.h"

namespace kovo {
namespace {

constexpr Separators kPointDecimal{'.', ',', '-', '.'};

struct NumberCase {
  double value;
  const char* general;  // Brazilian separators
  const char* literal;
};

// The amount table and the edge cases of the general number text.
const NumberCase kNumberCases[] = {
    {0.0, "0", "0"},
    {-0.0, "0", "0"},
    {12, "12", "12"},
    {1234.5, "1234,5", "1234.5"},
    {-0.05, "-0,05", "-0.05"},
    {0.1 + 0.2, "0,3", "0.3"},
    {1.0 / 3, "0,333333333333333", "0.333333333333333"},
    {123456789.123456789, "123456789,123457", "123456789.123457"},
    {0.0001, "0,0001", "0.0001"},
    {0.00005, "5E-5", "5E-5"},
    {0.000012345, "1,2345E-5", "1.2345E-5"},
    {999999999999999.0, "999999999999999", "999999999999999"},
    {999999999999999.5, "1E15", "1E15"},
    {123456789012345678.0, "1,23456789012346E17", "1.23456789012346E17"},
    {1e300, "1E300", "1E300"},
    {std::numeric_limits<double>::denorm_min(), "4,94065645841247E-324", "4.94065645841247E-324"},
    // Around the switch between the notations and the 15-digit cut.
    {0.00009999999999999999, "0,0001", "0.0001"},
    {0.000099999999999999, "9,9999999999999E-5", "9.9999999999999E-5"},
    {1e15, "1E15", "1E15"},
    {-123456789012345.6, "-123456789012346", "-123456789012346"},
    {100, "100", "100"},
    {1.5e-7, "1,5E-7", "1.5E-7"},
    {-2.5e20, "-2,5E20", "-2.5E20"},
    {2.675, "2,675", "2.675"},
    {1.7976931348623157e308, "1,79769313486232E308", "1.79769313486232E308"},
    {std::numeric_limits<double>::infinity(), "INF", "INF"},
    {-std::numeric_limits<double>::infinity(), "-INF", "-INF"},
    {std::numeric_limits<double>::quiet_NaN(), "NAN", "NAN"},
    {std::copysign(std::numeric_limits<double>::quiet_NaN(), -1.0), "NAN", "NAN"},
};

TEST(GeneralNumberText, TableOfAmounts) {
  for (const NumberCase& c : kNumberCases) {
    EXPECT_EQ(general_number_text(c.value), c.general) << c.general;
    // An amount widened to extended is the same number.
    EXPECT_EQ(general_number_text(static_cast<Extended>(c.value)), c.general) << c.general;
  }
}

TEST(AmountLiteral, IsTheGeneralNumberTextWithADecimalPoint) {
  for (const NumberCase& c : kNumberCases) {
    EXPECT_EQ(amount_literal(c.value), c.literal) << c.general;
    EXPECT_EQ(amount_literal(static_cast<Extended>(c.value)), c.literal) << c.general;
    // The buffer writer the statements use.
    char buf[detail::kNumberTextCapacity];
    EXPECT_EQ(std::string(buf, detail::write_amount_literal(buf, c.value)), c.literal) << c.general;
  }
}

TEST(GeneralNumberText, ExtendedValuesKeepTheirOwnDigits) {
  const struct {
    Extended value;
    const char* general;
  } cases[] = {
      {std::numeric_limits<Extended>::max(), "1,18973149535723E4932"},
      {std::numeric_limits<Extended>::denorm_min(), "3,64519953188247E-4951"},
      {std::numeric_limits<Extended>::min(), "3,36210314311209E-4932"},
      // 0.1 in extended differs from the double 0.1 only beyond 15 digits.
      {0.1L, "0,1"},
      {1.005L * 100, "100,5"},
      {-std::numeric_limits<Extended>::infinity(), "-INF"},
      {-std::numeric_limits<Extended>::quiet_NaN(), "NAN"},
  };
  for (const auto& c : cases) EXPECT_EQ(general_number_text(c.value), c.general) << c.general;
}

TEST(GeneralNumberText, FollowsTheGivenSeparators) {
  const struct {
    double value;
    const char* general;
  } cases[] = {
      {1234.5, "1234.5"},
      {-0.05, "-0.05"},
      {0.000012345, "1.2345E-5"},
      {123456789012345678.0, "1.23456789012346E17"},
      {1234567, "1234567"},  // never grouped
  };
  for (const auto& c : cases) {
    EXPECT_EQ(general_number_text(c.value, kPointDecimal), c.general);
    EXPECT_EQ(general_number_text(static_cast<Extended>(c.value), kPointDecimal), c.general);
  }
  // The statements keep Brazilian separators: a point for a decimal
  // separator would lose the decimals in valor_sql.
  EXPECT_EQ(valor_sql(general_number_text(1234.5, kPointDecimal)), "12345");
  EXPECT_EQ(amount_literal(1234.5), "1234.5");
}

TEST(MoneyText, GroupsThousandsAndRoundsToCents) {
  const struct {
    Extended value;
    const char* brazilian;
    const char* point_decimal;
  } cases[] = {
      {1234.567, "1.234,57", "1,234.57"},
      {1234567.8, "1.234.567,80", "1,234,567.80"},
      {12, "12,00", "12.00"},
      {0, "0,00", "0.00"},
      {-0.0L, "0,00", "0.00"},
      {0.125, "0,13", "0.13"},
      {-1234.5, "-1.234,50", "-1,234.50"},
      {-0.004, "0,00", "0.00"},
      {-0.005, "-0,01", "-0.01"},
      {0.0049, "0,00", "0.00"},
      {0.00004, "0,00", "0.00"},
      {1e15, "1E15", "1E15"},
      {999999999999999.5, "1E15", "1E15"},
      {999999999999999.4, "999.999.999.999.999,00", "999,999,999,999,999.00"},
      {123456789012.345, "123.456.789.012,35", "123,456,789,012.35"},
      // The 18-digit rounding comes first: the double lies below the half
      // cent, the extended value rounds to 99999.9950... in 18 digits.
      {99999.995, "99.999,99", "99,999.99"},
      {99999.995L, "100.000,00", "100,000.00"},
      {999.994, "999,99", "999.99"},
      {2.675, "2,67", "2.67"},   // the double is 2.67499999999999982...
      {2.675L, "2,68", "2.68"},  // 2.67499999999999999996 has 18 digits 2.675
      {1e20, "1E20", "1E20"},
      {std::numeric_limits<Extended>::infinity(), "INF", "INF"},
      {std::numeric_limits<Extended>::quiet_NaN(), "NAN", "NAN"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(money_text(c.value), c.brazilian);
    EXPECT_EQ(money_text(c.value, kPointDecimal), c.point_decimal);
  }
  // Rounding first with arredonda gives the half-up cents.
  EXPECT_EQ(money_text(static_cast<double>(2.675)), "2,67");
  EXPECT_EQ(money_text(arredonda(static_cast<double>(2.675), 2)), "2,68");
}

TEST(AppendForms, NumberFormsAppendWithoutDisturbingTheLine) {
  std::string line = "x = ";
  append_general_number_text(line, 1234.5);
  line += "; ";
  append_general_number_text(line, Extended{-2});
  line += "; ";
  append_amount_literal(line, Extended{0.25});
  line += "; ";
  append_money_text(line, 1234.5L);
  EXPECT_EQ(line, "x = 1234,5; -2; 0.25; 1.234,50");
}

}  // namespace
}  // namespace kovo
