#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "sql/database_error.h"
#include "sql/value_reads.h"

namespace kovo {
namespace {

TEST(ValueReads, Integer) {
  struct Case {
    Value value;
    std::optional<std::int32_t> expected;  // none: DatabaseError
  };
  const Case cases[] = {
      {Value::null(), 0},
      {Value::of_integer(-7), -7},
      {Value::of_integer(2147483647), 2147483647},
      {Value::of_integer(-2147483648LL), -2147483647 - 1},
      {Value::of_integer(2147483648LL), std::nullopt},
      {Value::of_float(41.0), 41},
      {Value::of_float(2.5), 2},  // halves to even
      {Value::of_float(3.5), 4},
      {Value::of_float(-2.5), -2},
      {Value::of_float(2.4999), 2},
      {Value::of_float(-2147483648.4), -2147483647 - 1},
      {Value::of_float(2147483647.6), std::nullopt},
      {Value::of_float(std::nan("")), std::nullopt},
      {Value::of_float(std::numeric_limits<double>::infinity()), std::nullopt},
      {Value::of_text("42"), 42},
      {Value::of_text(" -42 "), -42},
      {Value::of_text("+5"), 5},
      {Value::of_text(""), std::nullopt},
      {Value::of_text("4x"), std::nullopt},
      {Value::of_text("1.5"), std::nullopt},
      {Value::of_text("99999999999"), std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(read_string(c.value));
    if (c.expected) {
      EXPECT_EQ(read_integer(c.value, "C"), *c.expected);
    } else {
      EXPECT_THROW(read_integer(c.value, "C"), DatabaseError);
    }
  }
}

TEST(ValueReads, Float) {
  struct Case {
    Value value;
    std::optional<double> expected;
  };
  const Case cases[] = {
      {Value::null(), 0.0},
      {Value::of_integer(-3), -3.0},
      {Value::of_float(0.416625), 0.416625},
      {Value::of_text("2.5"), 2.5},
      {Value::of_text(" 1e-3 "), 0.001},
      {Value::of_text("2,5"), std::nullopt},
      {Value::of_text(""), std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(read_string(c.value));
    if (c.expected) {
      EXPECT_EQ(read_float(c.value, "C"), *c.expected);
    } else {
      EXPECT_THROW(read_float(c.value, "C"), DatabaseError);
    }
  }
}

TEST(ValueReads, String) {
  const std::pair<Value, std::string> cases[] = {
      {Value::null(), ""},
      {Value::of_integer(-9000000000LL), "-9000000000"},
      {Value::of_float(25.0), "25"},
      {Value::of_float(0.1 + 0.2), "0.3"},  // 15 significant digits
      {Value::of_float(-1.5e-7), "-1.5e-07"},
      {Value::of_text(std::string("a\0\xE7", 3)), std::string("a\0\xE7", 3)},
  };
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(read_string(value), expected);
  }
}

TEST(ValueReads, ErrorNamesColumnAndValue) {
  try {
    read_float(Value::of_text("abc"), "parametros_aliqsn");
    FAIL() << "no error";
  } catch (const DatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field 'parametros_aliqsn' value 'abc' is not a valid floating point value");
  }
}

}  // namespace
}  // namespace kovo
