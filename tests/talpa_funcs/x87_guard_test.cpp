#include <gtest/gtest.h>

#include <cmath>

#include "talpa_funcs/talpa_funcs.h"

namespace kovo {
namespace {

#if defined(__i386__) || defined(__x86_64__)

unsigned short control_word() {
  unsigned short cw;
  __asm__ __volatile__("fnstcw %0" : "=m"(cw) : : "memory");
  return cw;
}

void set_control_word(unsigned short cw) { __asm__ __volatile__("fldcw %0" : : "m"(cw) : "memory"); }

// The settings a 32-bit host may run with: 53-bit precision (bits 8-9 = 10)
// and, to make it harder, rounding toward zero (bits 10-11 = 11).
class HostFloatingUnit : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = control_word();
    host_ = static_cast<unsigned short>((saved_ & ~0x0f00) | 0x0200 | 0x0c00);
    set_control_word(host_);
  }
  void TearDown() override { set_control_word(saved_); }

  unsigned short saved_ = 0;
  unsigned short host_ = 0;
};

// 1 + 2^-60 needs a 64-bit significand.
Extended one_plus_tiny() {
  volatile Extended one = 1;
  volatile Extended tiny = std::ldexp(Extended{1}, -60);
  return one + tiny;
}

TEST_F(HostFloatingUnit, GuardSetsExtendedPrecisionAndRestoresTheHostSettings) {
  ASSERT_EQ(one_plus_tiny(), 1) << "the host settings did not take effect";
  {
    const X87PrecisionGuard guard;
    EXPECT_EQ(control_word() & 0x0f00, 0x0300);
    EXPECT_EQ(control_word() & ~0x0f00, host_ & ~0x0f00) << "other settings changed";
    EXPECT_NE(one_plus_tiny(), 1);
  }
  EXPECT_EQ(control_word(), host_);
}

TEST_F(HostFloatingUnit, ArredondaComputesInExtendedPrecision) {
  // Under 53-bit precision 101 / 100 would be the double 1.01.
  constexpr Extended kExpected = 101.0L / 100;
  ASSERT_NE(kExpected, static_cast<Extended>(1.01));
  EXPECT_EQ(arredonda(1.005, 2), kExpected);
  EXPECT_EQ(arredonda(-2.675, 2), -268.0L / 100);
  EXPECT_EQ(control_word(), host_);
}

TEST_F(HostFloatingUnit, ConversionErrorsRestoreTheHostSettingsToo) {
  EXPECT_THROW(arredonda(std::numeric_limits<Extended>::infinity(), 2), ConversionError);
  EXPECT_EQ(control_word(), host_);
}

#endif

}  // namespace
}  // namespace kovo
