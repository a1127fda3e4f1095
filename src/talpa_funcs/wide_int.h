// 128-bit unsigned arithmetic for the exact digit conversions. The native
// 128-bit type is used where the compiler has one; 32-bit x86 has none, so
// the portable forms are always compiled (and tested against the native ones).
#pragma once

#include <bit>
#include <cstdint>

namespace kovo::detail {

struct U128 {
  std::uint64_t hi;
  std::uint64_t lo;
};

constexpr bool operator==(const U128& a, const U128& b) noexcept {
  return a.hi == b.hi && a.lo == b.lo;
}

constexpr U128 mul_64x64_portable(std::uint64_t a, std::uint64_t b) noexcept {
  const std::uint64_t a0 = a & 0xffffffffu;
  const std::uint64_t a1 = a >> 32;
  const std::uint64_t b0 = b & 0xffffffffu;
  const std::uint64_t b1 = b >> 32;
  const std::uint64_t p00 = a0 * b0;
  const std::uint64_t p01 = a0 * b1;
  const std::uint64_t p10 = a1 * b0;
  const std::uint64_t p11 = a1 * b1;
  const std::uint64_t mid = (p00 >> 32) + (p01 & 0xffffffffu) + (p10 & 0xffffffffu);
  return {p11 + (p01 >> 32) + (p10 >> 32) + (mid >> 32), (mid << 32) | (p00 & 0xffffffffu)};
}

inline U128 mul_64x64(std::uint64_t a, std::uint64_t b) noexcept {
#if defined(__SIZEOF_INT128__)
  __extension__ using u128 = unsigned __int128;
  const u128 p = static_cast<u128>(a) * b;
  return {static_cast<std::uint64_t>(p >> 64), static_cast<std::uint64_t>(p)};
#else
  return mul_64x64_portable(a, b);
#endif
}

// n / d for n.hi < d, so that the quotient fits in 64 bits; the remainder
// goes to *rem. Long division in 32-bit digits on the normalised divisor.
constexpr std::uint64_t div_128_by_64_portable(U128 n, std::uint64_t d,
                                               std::uint64_t* rem) noexcept {
  constexpr std::uint64_t b = std::uint64_t{1} << 32;
  const int s = std::countl_zero(d);
  d <<= s;
  const std::uint64_t dn1 = d >> 32;
  const std::uint64_t dn0 = d & 0xffffffffu;
  const std::uint64_t n32 = s == 0 ? n.hi : (n.hi << s) | (n.lo >> (64 - s));
  const std::uint64_t n10 = n.lo << s;
  const std::uint64_t n1 = n10 >> 32;
  const std::uint64_t n0 = n10 & 0xffffffffu;

  std::uint64_t q1 = n32 / dn1;
  std::uint64_t rhat = n32 - q1 * dn1;
  while (q1 >= b || q1 * dn0 > b * rhat + n1) {
    --q1;
    rhat += dn1;
    if (rhat >= b) break;
  }
  const std::uint64_t n21 = n32 * b + n1 - q1 * d;  // true value < d, so mod 2^64 is exact
  std::uint64_t q0 = n21 / dn1;
  rhat = n21 - q0 * dn1;
  while (q0 >= b || q0 * dn0 > b * rhat + n0) {
    --q0;
    rhat += dn1;
    if (rhat >= b) break;
  }
  *rem = (n21 * b + n0 - q0 * d) >> s;
  return q1 * b + q0;
}

inline std::uint64_t div_128_by_64(U128 n, std::uint64_t d, std::uint64_t* rem) noexcept {
#if defined(__x86_64__) && defined(__GNUC__)
  std::uint64_t q;
  std::uint64_t r;
  __asm__("divq %4" : "=a"(q), "=d"(r) : "a"(n.lo), "d"(n.hi), "rm"(d) : "cc");
  *rem = r;
  return q;
#else
  return div_128_by_64_portable(n, d, rem);
#endif
}

// Number of significant bits of a 128-bit value (0 for zero).
constexpr int bit_length(U128 v) noexcept {
  return v.hi != 0 ? 128 - std::countl_zero(v.hi) : 64 - std::countl_zero(v.lo);
}

// v >> s for 0 <= s < 128.
constexpr U128 shift_right(U128 v, int s) noexcept {
  if (s == 0) return v;
  if (s >= 64) return {0, v.hi >> (s - 64)};
  return {v.hi >> s, (v.lo >> s) | (v.hi << (64 - s))};
}

// v << s for 0 <= s < 128 (bits shifted out are lost).
constexpr U128 shift_left(U128 v, int s) noexcept {
  if (s == 0) return v;
  if (s >= 64) return {v.lo << (s - 64), 0};
  return {(v.hi << s) | (v.lo >> (64 - s)), v.lo << s};
}

// True when any of the low s bits of v is set, 0 <= s <= 128.
constexpr bool low_bits_set(U128 v, int s) noexcept {
  if (s <= 0) return false;
  if (s >= 128) return v.hi != 0 || v.lo != 0;
  if (s >= 64) return v.lo != 0 || (s > 64 && (v.hi << (128 - s)) != 0);
  return (v.lo << (64 - s)) != 0;
}

}  // namespace kovo::detail
