#include "talpa_funcs/read_number.h"

#include <bit>
#include <cassert>
#include <cstdint>

#include "talpa_funcs/big_uint.h"
#include "talpa_funcs/float_bits.h"
#include "talpa_funcs/wide_int.h"

namespace kovo::detail {
namespace {

bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }

int bit_count(std::uint64_t v) noexcept { return 64 - std::countl_zero(v); }

int decimal_length(std::uint64_t v) noexcept {
  int n = 0;
  for (; v != 0; v /= 10) ++n;
  return n;
}

constexpr std::uint64_t pow5_u64(int e) noexcept {
  std::uint64_t p = 1;
  for (int i = 0; i < e; ++i) p *= 5;
  return p;
}

// digits * 10^x rounded to extended, digits != 0.
Extended scale(std::uint64_t digits, int x, bool negative) noexcept {
  const int length = decimal_length(digits);
  // Beyond these the value is surely above the largest extended value or
  // below half the smallest subnormal one.
  if (length + x > 4934) return make_extended({0, 1}, 1 << 15, false, negative);
  if (length + x < -4952) return make_extended({0, 0}, 0, false, negative);

  if (x >= 0 && x <= 27) {
    return make_extended(mul_64x64(digits, pow5_u64(x)), x, false, negative);
  }
  if (x < 0 && x >= -27) {
    // digits * 2^shift / 5^j with a quotient of about 100 bits, so that
    // the bits behind the 64 kept decide the rounding; the remainder only
    // says whether anything is left below them.
    const std::uint64_t d = pow5_u64(-x);
    const int shift = 100 + bit_count(d) - bit_count(digits);
    std::uint64_t words[4] = {0, 0, 0, 0};  // digits << shift, least significant first
    words[shift / 64] = digits << (shift % 64);
    if (shift % 64 != 0) words[shift / 64 + 1] = digits >> (64 - shift % 64);
    std::uint64_t q[4];
    std::uint64_t r = 0;
    for (int i = 3; i >= 0; --i) q[i] = div_128_by_64({r, words[i]}, d, &r);
    assert(q[3] == 0 && q[2] == 0);
    return make_extended({q[1], q[0]}, -shift + x, r != 0, negative);
  }
  BigUint big;
  if (x > 0) {
    big.assign_pow5(x);
    big.multiply(digits);
    const int bits = big.bit_length();
    const int drop = bits > 128 ? bits - 128 : 0;
    return make_extended(big.bits_from(drop), x + drop, big.low_bits_set(drop), negative);
  }
  BigUint den;
  den.assign_pow5(-x);
  big.assign(digits);
  const int shift = den.bit_length() - bit_count(digits) + 100;  // a quotient of about 100 bits
  big.shift_left(shift);
  BigUint rem;
  const U128 q = divide(big, den, &rem);
  return make_extended(q, -shift + x, !rem.is_zero(), negative);
}

}  // namespace

bool read_general_number(std::string_view text, const Separators& seps, Extended* value) noexcept {
  std::size_t i = 0;
  const std::size_t n = text.size();
  bool negative = false;
  if (i < n && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';

  std::uint64_t digits = 0;
  int significant = 0;
  int exponent = 0;  // of the last digit read
  bool any_digit = false;
  bool seen_separator = false;
  for (; i < n; ++i) {
    const char c = text[i];
    if (is_digit(c)) {
      any_digit = true;
      if (digits != 0 || c != '0') {
        if (++significant > 19) return false;
        digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
      }
      if (seen_separator) --exponent;
    } else if (c == seps.decimal && !seen_separator) {
      seen_separator = true;
    } else {
      break;
    }
  }
  if (!any_digit) return false;

  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool exp_negative = false;
    if (i < n && (text[i] == '-' || text[i] == '+')) exp_negative = text[i++] == '-';
    if (i == n) return false;
    int e = 0;
    for (; i < n; ++i) {
      if (!is_digit(text[i])) return false;
      if (e < 100000) e = e * 10 + (text[i] - '0');
    }
    exponent += exp_negative ? -e : e;
  }
  if (i != n) return false;

  *value = digits == 0 ? make_extended({0, 0}, 0, false, negative) : scale(digits, exponent, negative);
  return true;
}

}  // namespace kovo::detail
