// The arithmetic under the exact conversions, at the edges the random
// samples hardly reach.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <random>
#include <vector>

#include "talpa_funcs/big_uint.h"
#include "talpa_funcs/float_bits.h"
#include "talpa_funcs/wide_int.h"

namespace kovo::detail {
namespace {

#if defined(__SIZEOF_INT128__)
TEST(WideInt, PortableFormsAgreeWithTheNativeType) {
  __extension__ using u128 = unsigned __int128;
  std::mt19937_64 rng(7);
  const std::uint64_t edges[] = {0,           1,          2, 0xffffffffu, 0x100000000u, 0x8000000000000000u,
                                 0xffffffffffffffffu, 0x7fffffffffffffffu};
  std::vector<std::uint64_t> values(std::begin(edges), std::end(edges));
  for (int i = 0; i < 600; ++i) values.push_back(rng() >> (rng() % 64));
  for (const std::uint64_t a : values) {
    for (const std::uint64_t b : values) {
      const u128 p = static_cast<u128>(a) * b;
      const U128 got = mul_64x64_portable(a, b);
      ASSERT_EQ(got.hi, static_cast<std::uint64_t>(p >> 64)) << a << " * " << b;
      ASSERT_EQ(got.lo, static_cast<std::uint64_t>(p)) << a << " * " << b;
      if (b == 0) continue;
      const U128 n{a % b, rng()};  // below b * 2^64, so the quotient fits
      const u128 nn = (static_cast<u128>(n.hi) << 64) | n.lo;
      std::uint64_t r;
      const std::uint64_t q = div_128_by_64_portable(n, b, &r);
      ASSERT_EQ(q, static_cast<std::uint64_t>(nn / b)) << n.hi << ":" << n.lo << " / " << b;
      ASSERT_EQ(r, static_cast<std::uint64_t>(nn % b)) << n.hi << ":" << n.lo << " / " << b;
    }
  }
}
#endif

BigUint from_limbs(std::initializer_list<std::uint32_t> limbs) {
  BigUint x;
  x.assign(limbs.begin(), static_cast<int>(limbs.size()));
  return x;
}

// Divisions whose first quotient digit estimate is one too large even after
// its correction, so that the divisor has to be added back.
TEST(BigUint, DivisionAddsBackAnOverestimatedDigit) {
  const struct {
    BigUint u;
    BigUint v;
    U128 q;
    BigUint r;
  } cases[] = {
      {from_limbs({3, 0, 0x80000000}), from_limbs({1, 0, 0x20000000}), {0, 3}, from_limbs({0, 0, 0x20000000})},
      {from_limbs({0, 0, 0x80000000, 0x7fffffff}), from_limbs({1, 0, 0x80000000}), {0, 0xfffffffe},
       from_limbs({2, 0xffffffff, 0x7fffffff})},
      // And one without: (2^64 - 2) * 2^32 / (2^63 + 2^32 - 1)
      {from_limbs({0, 0xfffffffe, 0x80000000}), from_limbs({0xffffffff, 0x80000000}), {0, 0xffffffff},
       from_limbs({0xffffffff, 0x7fffffff})},
  };
  for (const auto& c : cases) {
    BigUint r;
    const U128 q = divide(c.u, c.v, &r);
    EXPECT_EQ(q.hi, c.q.hi);
    EXPECT_EQ(q.lo, c.q.lo);
    EXPECT_EQ(compare(r, c.r), 0);
  }
}

TEST(MakeExtended, RoundsToNearestEvenAtEveryEdge) {
  using L = std::numeric_limits<Extended>;
  const Extended tiny = L::denorm_min();
  const std::uint64_t ones = ~std::uint64_t{0};
  const struct {
    U128 q;
    int exp2;
    bool tail;
    Extended expected;
  } cases[] = {
      {{0, 0}, 5, false, 0},
      {{0, 12345}, -3, false, 12345.0L / 8},
      {{1, ones}, 0, false, std::ldexp(Extended{1}, 65)},  // 2^65 - 1 carries into 2^65
      {{0, 0x8000000000000001u}, 0, false, Extended{0x8000000000000001u}},
      {{1, 1}, 0, false, std::ldexp(Extended{1}, 64)},  // 2^64 + 1: tie, to even
      {{1, 3}, 0, false, std::ldexp(Extended{1}, 64) + 4},  // 2^64 + 3: tie, to even
      {{1, 1}, 0, true, std::ldexp(Extended{1}, 64) + 2},  // just above the tie
      // Subnormals: halves of the smallest one.
      {{0, 1}, -16446, false, 0},
      {{0, 1}, -16446, true, tiny},
      {{0, 3}, -16446, false, 2 * tiny},
      {{0, 1}, -16447, true, 0},
      {{0, 5}, -16445, false, 5 * tiny},
      // The largest subnormal rounding up into the smallest normal value.
      {{0, ones}, -16446, false, L::min()},
      {{0, ones >> 1}, -16445, false, L::min() - tiny},
      // The top of the range.
      {{0, ones}, 16320, false, L::max()},
      {{1, ones}, 16319, false, L::infinity()},  // half an ulp above: tie, away from the odd max
      {{1, ones - 1}, 16319, true, L::max()},
      {{0, 1}, 20000, false, L::infinity()},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(make_extended(c.q, c.exp2, c.tail, false), c.expected) << c.q.hi << ":" << c.q.lo << " " << c.exp2;
    const Extended negative = make_extended(c.q, c.exp2, c.tail, true);
    EXPECT_EQ(negative, -c.expected);
    EXPECT_TRUE(std::signbit(negative));
  }
}

}  // namespace
}  // namespace kovo::detail
