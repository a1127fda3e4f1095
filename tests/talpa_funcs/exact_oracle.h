// An independent exact reference for decimal digits: the full decimal
// expansion of a binary value m * 2^e, built with base-10^9 big integers
// (m * 2^e for e >= 0, m * 5^-e shifted by -e decimal places otherwise),
// and the text rules applied to those digits as character strings.
// Allocation-light, since it runs on millions of values under sanitizers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace oracle {

// 0.d1d2... * 10^point with d1 != '0' (no digits means zero); `more` tells
// whether a non-zero digit follows the ones listed.
struct Decimal {
  static constexpr int kCapacity = 48;
  char digit[kCapacity];
  int count = 0;
  int point = 0;
  bool more = false;

  std::string_view digits() const { return {digit, static_cast<std::size_t>(count)}; }
  char at(int i) const { return i < count ? digit[i] : '0'; }
};

Decimal decimal_of(std::string_view digits, int point);

// The leading `wanted` (at most 40) digits of (hi * 2^64 + lo) * 2^e2.
Decimal expand(std::uint64_t hi, std::uint64_t lo, int e2, int wanted = 40);

// Rounds to n significant digits, to nearest, exact ties to even.
Decimal round_half_even(const Decimal& x, int n);

// Keeps the digits down to the unit 10^(point - keep) and rounds up when the
// first digit behind them is 5 or more (the rest is not looked at).
Decimal cut_by_next_digit(const Decimal& x, int keep);

// The general number text of the 18-digit rounding `d18`, into `out`.
void general_text(std::string& out, bool negative, const Decimal& d18, char decimal);

// The money text of the 18-digit rounding `d18`, into `out`.
void money_text(std::string& out, bool negative, const Decimal& d18, char decimal, char thousands);

// -1, 0, 1 as a < b, a == b, a > b, for non-negative decimals of which at
// most one has `more` set, and that one lists at least as many digits.
int compare(const Decimal& a, const Decimal& b);

}  // namespace oracle
