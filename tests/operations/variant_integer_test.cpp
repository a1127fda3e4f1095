// The header's counter is read as a variant and turned into an integer the
// way the host platform converts variants; a null never becomes 0.
#include <gtest/gtest.h>

#include <string>

#include "invoice/variant_integer.h"
#include "talpa_funcs/talpa_funcs.h"

namespace kovo {
namespace {

struct Converted {
  Value value;
  std::int32_t expected;
};

TEST(VariantToInteger, ConvertsIntegersFloatsAndIntegerTexts) {
  const Converted cases[] = {
      {Value::of_integer(41), 41},
      {Value::of_integer(-2147483648LL), -2147483647 - 1},
      {Value::of_integer(2147483647), 2147483647},
      {Value::of_float(41.0), 41},
      {Value::of_float(2.5), 2},  // half to even
      {Value::of_float(3.5), 4},
      {Value::of_float(-2.5), -2},
      {Value::of_float(2.4999), 2},
      {Value::of_text("42"), 42},
      {Value::of_text("  -7"), -7},
  };
  for (const Converted& c : cases) {
    EXPECT_EQ(variant_to_integer(c.value), c.expected) << c.value.integer << c.value.real << c.value.text;
  }
}

struct Refused {
  Value value;
  const char* message;
};

TEST(VariantToInteger, RefusesWhatHasNoIntegerValue) {
  const Refused cases[] = {
      {Value::null(), "Could not convert variant of type (Null) into type (Integer)"},
      {Value::of_text(""), "Could not convert variant of type (String) into type (Integer)"},
      {Value::of_text("4x"), "Could not convert variant of type (String) into type (Integer)"},
      {Value::of_integer(2147483648LL),
       "Overflow while converting variant of type (Int64) into type (Integer)"},
      {Value::of_float(3e9), "Overflow while converting variant of type (Double) into type (Integer)"},
      {Value::of_text("99999999999"),
       "Overflow while converting variant of type (String) into type (Integer)"},
  };
  for (const Refused& c : cases) {
    try {
      variant_to_integer(c.value);
      ADD_FAILURE() << "converted: " << c.message;
    } catch (const ConversionError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
}

}  // namespace
}  // namespace kovo
