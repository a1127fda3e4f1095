#include "talpa_funcs/decimal_digits.h"

#include <array>
#include <bit>
#include <cassert>
#include <charconv>
#include <cstring>

#include "talpa_funcs/big_uint.h"
#include "talpa_funcs/wide_int.h"

namespace kovo::detail {
namespace {

// What lies below the last kept unit of a scaled value.
enum class Tail { zero, below_half, half, above_half };

struct Scaled {
  std::uint64_t n;  // floor(value * 10^s)
  Tail tail;
};

// floor(x * log10(2)) for |x| <= 16500; the constant is log10(2) * 2^32
// rounded down, which keeps the floor exact over that range.
constexpr int floor_log10_pow2(int x) noexcept {
  return static_cast<int>((static_cast<std::int64_t>(x) * 1292913986) >> 32);
}

// 5^0 .. 5^55, the powers of five below 2^128.
constexpr int kMaxFastPow5 = 55;
constexpr std::array<U128, kMaxFastPow5 + 1> make_pow5() {
  std::array<U128, kMaxFastPow5 + 1> p{};
  p[0] = {0, 1};
  for (int i = 1; i <= kMaxFastPow5; ++i) {
    const U128 lo = mul_64x64_portable(p[i - 1].lo, 5);
    p[i] = {lo.hi + p[i - 1].hi * 5, lo.lo};
  }
  return p;
}
constexpr std::array<U128, kMaxFastPow5 + 1> kPow5 = make_pow5();

// 5^27, the largest power of five below 2^63, bounds the division path.
constexpr int kMaxFastDivPow5 = 27;

Tail tail_of_remainder(std::uint64_t r, std::uint64_t d) noexcept {
  if (r == 0) return Tail::zero;
  const std::uint64_t other = d - r;
  if (r < other) return Tail::below_half;
  return r == other ? Tail::half : Tail::above_half;
}

Tail tail_of_bits(bool half_bit, bool lower_bits) noexcept {
  if (half_bit) return lower_bits ? Tail::above_half : Tail::half;
  return lower_bits ? Tail::below_half : Tail::zero;
}

// value * 10^s for 0 <= s <= 55: the product m * 5^s (192 bits) shifted
// right by -(e2 + s), which is between 1 and 136 for these magnitudes.
Scaled scale_up_fast(std::uint64_t m, int e2, int s) noexcept {
  const U128 a = mul_64x64(m, kPow5[s].lo);
  const U128 b = mul_64x64(m, kPow5[s].hi);
  std::uint64_t p[4];
  p[0] = a.lo;
  p[1] = a.hi + b.lo;
  p[2] = b.hi + (p[1] < a.hi ? 1 : 0);
  p[3] = 0;
  const int sh = -(e2 + s);
  assert(sh > 0 && sh < 192);

  const int w = sh / 64;
  const int r = sh % 64;
  const std::uint64_t n = r == 0 ? p[w] : (p[w] >> r) | (p[w + 1] << (64 - r));
  const int hb = sh - 1;  // the half bit
  const bool half = ((p[hb / 64] >> (hb % 64)) & 1) != 0;
  bool lower = (p[hb / 64] & ((std::uint64_t{1} << (hb % 64)) - 1)) != 0;
  for (int i = 0; i < hb / 64; ++i) lower = lower || p[i] != 0;
  return {n, tail_of_bits(half, lower)};
}

// value / 10^j for 1 <= j <= 27: (m * 2^(e2-j)) / 5^j by one 128/64 division.
Scaled scale_down_fast(std::uint64_t m, int e2, int j) noexcept {
  const std::uint64_t five_j = kPow5[j].lo;
  const int t = e2 - j;
  U128 num{0, m};
  std::uint64_t den = five_j;
  if (t >= 0) {
    assert(t < 64);
    num = shift_left(num, t);
  } else {
    assert(std::countl_zero(den) > -t);
    den <<= -t;
  }
  std::uint64_t r;
  const std::uint64_t n = div_128_by_64(num, den, &r);
  return {n, tail_of_remainder(r, den)};
}

// The far magnitudes, exactly, with big integers. Tiny values (s > 0): the
// product m * 5^s shifted right by -(e2 + s), which is positive there. Huge
// values (s < 0): the quotient (m * 2^(e2-j)) / 5^j, e2 - j being positive.
Scaled scale_big(std::uint64_t m, int e2, int s) noexcept {
  BigUint x;
  if (s >= 0) {
    x.assign_pow5(s);
    x.multiply(m);
    const int sh = -(e2 + s);
    assert(sh > 0);
    const U128 n = x.bits_from(sh);
    assert(n.hi == 0);
    const bool half = (x.bits_from(sh - 1).lo & 1) != 0;
    return {n.lo, tail_of_bits(half, x.low_bits_set(sh - 1))};
  }
  const int j = -s;
  BigUint den;
  den.assign_pow5(j);
  x.assign(m);
  assert(e2 - j > 0);
  x.shift_left(e2 - j);
  BigUint r;
  const U128 n = divide(x, den, &r);
  assert(n.hi == 0);
  if (r.is_zero()) return {n.lo, Tail::zero};
  r.shift_left(1);
  const int c = compare(r, den);
  return {n.lo, c < 0 ? Tail::below_half : (c == 0 ? Tail::half : Tail::above_half)};
}

// The 18 digits from value * 10^s, an integer of 18 or 19 digits and its tail.
Digits18 finish(Scaled v, int s) noexcept {
  assert(v.n >= kTen17);
  if (v.n >= kTen18) {  // 19 digits: move the last one into the tail
    const auto last = static_cast<unsigned>(v.n % 10);
    v.n /= 10;
    --s;
    const bool rest = v.tail != Tail::zero;
    if (last < 5) {
      v.tail = (last == 0 && !rest) ? Tail::zero : Tail::below_half;
    } else if (last == 5) {
      v.tail = rest ? Tail::above_half : Tail::half;
    } else {
      v.tail = Tail::above_half;
    }
  }
  if (v.tail == Tail::above_half || (v.tail == Tail::half && (v.n & 1) != 0)) ++v.n;
  if (v.n == kTen18) {
    v.n = kTen17;
    --s;
  }
  return {v.n, 18 - s};
}

// Normalises m to its top bit and returns s, the power of ten that gives
// value * 10^s 18 or 19 integer digits: with value in [2^(e2+63), 2^(e2+64)),
// floor((e2+63) log10 2) is floor(log10 value) or one less.
int normalise(std::uint64_t* m, int* e2) noexcept {
  assert(*m != 0);
  const int lead = std::countl_zero(*m);
  *m <<= lead;
  *e2 -= lead;
  return 17 - floor_log10_pow2(*e2 + 63);
}

}  // namespace

bool round_to_18_digits_fast(std::uint64_t m, int e2, Digits18* out) noexcept {
  const int s = normalise(&m, &e2);
  if (s >= 0 && s <= kMaxFastPow5) {
    *out = finish(scale_up_fast(m, e2, s), s);
    return true;
  }
  if (s < 0 && -s <= kMaxFastDivPow5) {
    *out = finish(scale_down_fast(m, e2, -s), s);
    return true;
  }
  return false;
}

Digits18 round_to_18_digits(std::uint64_t m, int e2) noexcept {
  Digits18 out;
  if (round_to_18_digits_fast(m, e2, &out)) return out;
  const int s = normalise(&m, &e2);
  return finish(scale_big(m, e2, s), s);
}

Digits18 round_to_18_digits_via_to_chars(double magnitude) noexcept {
  // "d.ddddddddddddddddde[+-]x", 18 significant digits.
  char text[32];
  const auto res = std::to_chars(text, text + sizeof text, magnitude,
                                 std::chars_format::scientific, 17);
  assert(res.ec == std::errc{});
  std::uint64_t digits = static_cast<std::uint64_t>(text[0] - '0');
  for (int i = 2; i < 19; ++i) digits = digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
  const char* p = text + 20;  // past the 'e'
  const bool negative = *p == '-';
  int e10 = 0;
  for (++p; p < res.ptr; ++p) e10 = e10 * 10 + (*p - '0');
  return {digits, (negative ? -e10 : e10) + 1};
}

namespace {

constexpr char kTwoDigits[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes v < 10^8 as exactly eight digits.
void put_8_digits(char* p, std::uint32_t v) noexcept {
  const std::uint32_t hi = v / 10000;
  const std::uint32_t lo = v % 10000;
  std::memcpy(p, kTwoDigits + 2 * (hi / 100), 2);
  std::memcpy(p + 2, kTwoDigits + 2 * (hi % 100), 2);
  std::memcpy(p + 4, kTwoDigits + 2 * (lo / 100), 2);
  std::memcpy(p + 6, kTwoDigits + 2 * (lo % 100), 2);
}

}  // namespace

DigitString cut_to_15_digits(Digits18 d) noexcept {
  // digits / 1000 has exactly 15 digits; the 16th decides.
  std::uint64_t kept = d.digits / 1000;
  DigitString out;
  out.exponent = d.exponent;
  if ((d.digits / 100) % 10 >= 5) ++kept;
  if (kept == kTen15) {  // fifteen nines carried into a single 1
    kept = kTen15 / 10;
    ++out.exponent;
  }
  char sixteen[16];
  put_8_digits(sixteen, static_cast<std::uint32_t>(kept / 100'000'000));
  put_8_digits(sixteen + 8, static_cast<std::uint32_t>(kept % 100'000'000));
  int count = 15;
  while (sixteen[count] == '0') --count;  // sixteen[1] is never '0'
  std::memcpy(out.digit, sixteen + 1, static_cast<std::size_t>(count));
  out.count = count;
  return out;
}

}  // namespace kovo::detail
