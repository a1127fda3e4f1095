// A fixed-capacity unsigned big integer for the far exponents of the exact
// conversions: products with powers of five up to 5^4991 and the division
// of such numbers. Lives on the stack; never allocates.
#pragma once

#include <cstdint>

#include "talpa_funcs/wide_int.h"

namespace kovo::detail {

class BigUint {
 public:
  // 5^4991 times a 64-bit factor, shifted for a 128-bit quotient, fits.
  static constexpr int kMaxLimbs = 380;
  static constexpr int kMaxPow5 = 4991;

  BigUint() = default;
  explicit BigUint(std::uint64_t value) noexcept { assign(value); }

  void assign(std::uint64_t value) noexcept;
  // From `count` little-endian 32-bit limbs.
  void assign(const std::uint32_t* limbs, int count) noexcept;
  // 5^e for 0 <= e <= kMaxPow5.
  void assign_pow5(int e) noexcept;
  void multiply(std::uint32_t factor) noexcept;
  void multiply(std::uint64_t factor) noexcept;
  void shift_left(int bits) noexcept;

  bool is_zero() const noexcept { return size_ == 0; }
  int bit_length() const noexcept;
  // The 128 bits from bit `from` upwards (bits beyond them are ignored).
  U128 bits_from(int from) const noexcept;
  // True when any bit below bit `count` is set.
  bool low_bits_set(int count) const noexcept;

  friend int compare(const BigUint& a, const BigUint& b) noexcept;
  // Returns u / v, which must fit in 128 bits, and stores u % v in *rem.
  // v must be at least 2^32 (the powers of five it is used with are).
  friend U128 divide(const BigUint& u, const BigUint& v, BigUint* rem) noexcept;

 private:
  void trim() noexcept;

  std::uint32_t limb_[kMaxLimbs];  // little-endian; only the first size_ are valid
  int size_ = 0;
};

}  // namespace kovo::detail
