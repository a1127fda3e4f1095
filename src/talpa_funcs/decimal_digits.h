// The exact decimal digits of a binary floating value: its exact decimal
// expansion rounded to 18 significant digits, to nearest with exact ties to
// even, and the digits the text forms keep of those 18.
#pragma once

#include <cstdint>

namespace kovo::detail {

inline constexpr std::uint64_t kTen15 = 1'000'000'000'000'000;
inline constexpr std::uint64_t kTen17 = 100'000'000'000'000'000;
inline constexpr std::uint64_t kTen18 = 1'000'000'000'000'000'000;

// magnitude ~= 0.d1d2...d18 * 10^exponent, digits = d1d2...d18 as an
// integer (10^17 <= digits < 10^18).
struct Digits18 {
  std::uint64_t digits;
  int exponent;
};

// The 18 digits of significand * 2^exponent2 (significand != 0), for any
// magnitude; beyond the fast range below this takes big integers.
Digits18 round_to_18_digits(std::uint64_t significand, int exponent2) noexcept;

// The same with 64-bit words alone, for magnitudes from about 1e-38 to 1e45
// (every amount); returns false, leaving *out alone, outside that range.
bool round_to_18_digits_fast(std::uint64_t significand, int exponent2, Digits18* out) noexcept;

// The same for a positive finite double through std::to_chars, whose
// scientific form with 17 decimals holds exactly these 18 digits, correctly
// rounded with ties to even: quicker than big integers for the far
// magnitudes of doubles.
Digits18 round_to_18_digits_via_to_chars(double magnitude) noexcept;

// A digit string d1...dk (d1 != 0, no trailing zero, k <= 18) with its
// exponent: magnitude ~= 0.d1...dk * 10^exponent.
struct DigitString {
  char digit[18];
  int count;
  int exponent;
};

// Rounds the 18 digits to 15 by the 16th digit alone (5 to 9 round up,
// carrying; 0 to 4 cut) and drops trailing zeros.
DigitString cut_to_15_digits(Digits18 d) noexcept;

}  // namespace kovo::detail
