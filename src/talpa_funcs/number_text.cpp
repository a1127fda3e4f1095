#include "talpa_funcs/number_text.h"

#include <cmath>
#include <cstring>

#include "talpa_funcs/decimal_digits.h"
#include "talpa_funcs/float_bits.h"

namespace kovo::detail {
namespace {

char* put(char* p, const char* text) noexcept {
  const std::size_t n = std::strlen(text);
  std::memcpy(p, text, n);
  return p + n;
}

// Writes a non-negative integer in decimal.
char* put_unsigned(char* p, std::uint64_t v) noexcept {
  char reversed[20];
  int n = 0;
  do {
    reversed[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  while (n > 0) *p++ = reversed[--n];
  return p;
}

// Fixed notation for 0.0001 <= magnitude < 10^15 (after the cut), exponent
// notation otherwise.
char* put_digits(char* p, bool negative, const DigitString& d, const Separators& seps) noexcept {
  if (negative) *p++ = '-';
  const int e = d.exponent;
  if (e >= -3 && e <= 15) {
    if (e <= 0) {
      *p++ = '0';
      *p++ = seps.decimal;
      for (int i = 0; i < -e; ++i) *p++ = '0';
      std::memcpy(p, d.digit, static_cast<std::size_t>(d.count));
      return p + d.count;
    }
    for (int i = 0; i < e; ++i) *p++ = i < d.count ? d.digit[i] : '0';
    if (d.count > e) {
      *p++ = seps.decimal;
      std::memcpy(p, d.digit + e, static_cast<std::size_t>(d.count - e));
      p += d.count - e;
    }
    return p;
  }
  *p++ = d.digit[0];
  if (d.count > 1) {
    *p++ = seps.decimal;
    std::memcpy(p, d.digit + 1, static_cast<std::size_t>(d.count - 1));
    p += d.count - 1;
  }
  *p++ = 'E';
  const int x = e - 1;
  if (x < 0) *p++ = '-';
  return put_unsigned(p, static_cast<std::uint64_t>(x < 0 ? -x : x));
}

Digits18 digits_of(double value, const FloatParts& parts) noexcept {
  Digits18 d;
  if (round_to_18_digits_fast(parts.significand, parts.exponent, &d)) return d;
  return round_to_18_digits_via_to_chars(std::fabs(value));
}

Digits18 digits_of(Extended value, const FloatParts& parts) noexcept {
  Digits18 d;
  if (round_to_18_digits_fast(parts.significand, parts.exponent, &d)) return d;
  // An amount widened from a double is still that double exactly.
  const auto narrow = static_cast<double>(value);
  if (static_cast<Extended>(narrow) == value) return round_to_18_digits_via_to_chars(std::fabs(narrow));
  return round_to_18_digits(parts.significand, parts.exponent);
}

template <typename Float>
std::size_t write_general(char* buf, Float value, const Separators& seps) noexcept {
  const FloatParts parts = split(value);
  char* p = buf;
  switch (parts.kind) {
    case FloatKind::zero:
      p = put(p, "0");
      break;
    case FloatKind::infinite:
      p = put(p, parts.negative ? "-INF" : "INF");
      break;
    case FloatKind::nan:
      p = put(p, "NAN");
      break;
    case FloatKind::finite:
      p = put_digits(p, parts.negative, cut_to_15_digits(digits_of(value, parts)), seps);
      break;
  }
  return static_cast<std::size_t>(p - buf);
}

constexpr std::uint64_t kPow10[] = {1,
                                    10,
                                    100,
                                    1000,
                                    10000,
                                    100000,
                                    1000000,
                                    10000000,
                                    100000000,
                                    1000000000,
                                    10000000000,
                                    100000000000,
                                    1000000000000,
                                    10000000000000,
                                    100000000000000,
                                    1000000000000000,
                                    10000000000000000,
                                    100000000000000000,
                                    1000000000000000000};

// The magnitude rounded as the money text rounds it, in hundredths, or
// false when it is 10^15 or more. The cut falls after the second decimal
// place or after the 15th significant digit, whichever comes first, and the
// digit behind the cut alone decides.
bool money_cents(Digits18 d, std::uint64_t* cents) noexcept {
  const int e = d.exponent;  // magnitude ~= 0.d1...d18 * 10^e
  if (e > 15) return false;
  const int keep = e + 2 < 15 ? e + 2 : 15;  // digits kept
  if (keep < 0) {
    *cents = 0;
    return true;
  }
  std::uint64_t kept = d.digits / kPow10[18 - keep];
  if ((d.digits / kPow10[17 - keep]) % 10 >= 5) ++kept;
  // kept counts units of 10^(e-keep); hundredths are 10^-2.
  *cents = kept * kPow10[e + 2 - keep];
  return *cents < kPow10[17];
}

}  // namespace

std::size_t write_general_number(char* buf, Extended value, const Separators& seps) noexcept {
  return write_general(buf, value, seps);
}

std::size_t write_general_number(char* buf, double value, const Separators& seps) noexcept {
  return write_general(buf, value, seps);
}

std::size_t write_money(char* buf, Extended value, const Separators& seps) noexcept {
  const FloatParts parts = split(value);
  std::uint64_t cents = 0;
  if (parts.kind == FloatKind::infinite || parts.kind == FloatKind::nan ||
      (parts.kind == FloatKind::finite &&
       !money_cents(digits_of(value, parts), &cents))) {
    return write_general_number(buf, value, seps);
  }
  char* p = buf;
  if (parts.negative && cents != 0) *p++ = '-';
  char whole[20];
  const std::size_t n = static_cast<std::size_t>(put_unsigned(whole, cents / 100) - whole);
  for (std::size_t i = 0; i < n; ++i) {
    if (i != 0 && (n - i) % 3 == 0) *p++ = seps.thousands;
    *p++ = whole[i];
  }
  *p++ = seps.decimal;
  *p++ = static_cast<char>('0' + (cents / 10) % 10);
  *p++ = static_cast<char>('0' + cents % 10);
  return static_cast<std::size_t>(p - buf);
}

}  // namespace kovo::detail
