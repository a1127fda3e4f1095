// The bits of double and extended values: a finite value splits exactly
// into sign, integer significand and binary exponent, and an extended value
// is built back from an exact binary fraction rounded to nearest, ties to
// even, as the floating unit would round it. Works on the bits alone, so it
// depends neither on the floating unit's control word nor on the C library.
#pragma once

#include <cstdint>

#include "talpa_funcs/extended.h"
#include "talpa_funcs/wide_int.h"

#if !defined(__i386__) && !defined(__x86_64__)
#error "the extended layout below is the x87 one"
#endif

namespace kovo::detail {

enum class FloatKind { zero, finite, infinite, nan };

// |value| = significand * 2^exponent for finite values; significand != 0
// for kind finite, and not normalised (subnormals keep their small value).
struct FloatParts {
  FloatKind kind;
  bool negative;
  std::uint64_t significand;
  int exponent;
};

FloatParts split(double value) noexcept;
FloatParts split(Extended value) noexcept;

// (q + t) * 2^exp2 rounded to the nearest extended value, ties to even,
// where 0 <= t < 1 is a tail known only by `tail_nonzero`. Overflows to
// infinity and underflows through the subnormals to zero.
Extended make_extended(U128 q, int exp2, bool tail_nonzero, bool negative) noexcept;

}  // namespace kovo::detail
