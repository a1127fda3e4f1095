// Differential test of the digit conversions against the exact reference
// in exact_oracle.cpp, over a seeded sample of doubles and extended values
// across their whole range.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <string>

#include "exact_oracle.h"
#include "talpa_funcs/decimal_digits.h"
#include "talpa_funcs/read_number.h"
#include "talpa_funcs/talpa_funcs.h"

namespace kovo {
namespace {

constexpr int kRandomPerType = 500'000;  // plus every binade's two ends

// |v| = m * 2^e, taken apart with frexp (independently of the library).
struct Binary {
  std::uint64_t m;
  int e;
};

Binary binary_of(double v) {
  int e;
  const double f = std::frexp(std::fabs(v), &e);
  return {static_cast<std::uint64_t>(std::ldexp(f, 53)), e - 53};
}

Binary binary_of(Extended v) {
  int e;
  const Extended f = std::frexp(std::fabs(v), &e);
  return {static_cast<std::uint64_t>(std::ldexp(f, 64)), e - 64};
}

std::string describe(double v) {
  std::ostringstream s;
  s.precision(17);
  s << v;
  return s.str();
}

std::string describe(Extended v) {
  std::ostringstream s;
  s.precision(21);
  s << v;
  return s.str();
}

// Collects the mismatches and reports the first few.
class Failures {
 public:
  void add(const std::string& what) {
    if (count_++ < 12) text_ += what + "\n";
  }
  void report(const char* sample) const {
    EXPECT_EQ(count_, 0u) << "mismatches in " << sample << ":\n" << text_;
  }

 private:
  std::size_t count_ = 0;
  std::string text_;
};

// Reused buffers: the sample is large and runs under sanitizers.
struct Texts {
  std::string got;
  std::string expected;
};

std::string digits_text(const detail::Digits18& d) {
  return std::to_string(d.digits) + " E" + std::to_string(d.exponent);
}

bool same(const detail::Digits18& d, const oracle::Decimal& exact) {
  char text[24];
  int n = 0;
  for (std::uint64_t v = d.digits; v != 0; v /= 10) text[n++] = static_cast<char>('0' + v % 10);
  std::reverse(text, text + n);
  return exact.digits() == std::string_view(text, static_cast<std::size_t>(n)) &&
         d.exponent == exact.point;
}

// Checks the 18 digits (both routes for doubles) and, with `texts`, the
// general number text and the money text of v.
template <typename Float>
void check_value(Float v, Failures& failures, Texts& t, bool texts = true) {
  if (!std::isfinite(v) || v == 0) return;
  const Binary b = binary_of(v);
  const oracle::Decimal d18 = oracle::round_half_even(oracle::expand(0, b.m, b.e), 18);
  const auto exact = [&] { return std::string(d18.digits()) + " E" + std::to_string(d18.point); };

  const detail::Digits18 core = detail::round_to_18_digits(b.m, b.e);
  if (!same(core, d18)) failures.add(describe(v) + ": digits " + digits_text(core) + ", exact " + exact());
  if constexpr (std::is_same_v<Float, double>) {
    const detail::Digits18 tc = detail::round_to_18_digits_via_to_chars(std::fabs(v));
    if (!same(tc, d18)) failures.add(describe(v) + ": to_chars " + digits_text(tc) + ", exact " + exact());
  }
  if (!texts) return;

  const bool negative = std::signbit(v);
  t.got.clear();
  append_general_number_text(t.got, v);
  oracle::general_text(t.expected, negative, d18, ',');
  if (t.got != t.expected) failures.add(describe(v) + ": general text " + t.got + ", expected " + t.expected);
  t.got.clear();
  append_money_text(t.got, static_cast<Extended>(v));
  oracle::money_text(t.expected, negative, d18, ',', '.');
  if (t.got != t.expected) failures.add(describe(v) + ": money text " + t.got + ", expected " + t.expected);
}

template <typename Float>
struct Traits;
template <>
struct Traits<double> {
  static constexpr int kBits = 53;
  static constexpr int kMinExp = -1074;  // of the smallest subnormal
  static constexpr int kMaxExp = 1023;   // of the largest binade
};
template <>
struct Traits<Extended> {
  static constexpr int kBits = 64;
  static constexpr int kMinExp = -16445;
  static constexpr int kMaxExp = 16383;
};

// A value whose exact expansion has 19 significant digits ending in 5
// (an exact tie at the 18th digit): j * 2^-k = (j * 5^k) / 10^k with j odd
// and j * 5^k of 19 digits.
template <typename Float>
Float exact_tie(std::mt19937_64& rng) {
  constexpr int kBits = Traits<Float>::kBits;
  for (;;) {
    const int k = static_cast<int>(rng() % 28);
    std::uint64_t five_k = 1;
    for (int i = 0; i < k; ++i) five_k *= 5;
    const std::uint64_t lo = (1'000'000'000'000'000'000u + five_k - 1) / five_k;
    std::uint64_t hi = 10'000'000'000'000'000'000u / five_k;
    if (kBits < 64) hi = std::min(hi, std::uint64_t{1} << kBits);
    if (hi <= lo + 1) continue;
    const std::uint64_t j = (lo + rng() % (hi - lo)) | 1;
    if (j >= hi) continue;
    return std::ldexp(static_cast<Float>(j), -k);
  }
}

template <typename Float>
Float random_bits(std::mt19937_64& rng) {
  const int e = Traits<Float>::kMinExp +
                static_cast<int>(rng() % (Traits<Float>::kMaxExp - Traits<Float>::kMinExp + 1));
  std::uint64_t m = rng();
  if (Traits<Float>::kBits < 64) m >>= 64 - Traits<Float>::kBits;
  // ldexp rounds where the significand does not fit at that exponent.
  return std::ldexp(static_cast<Float>(m), e - Traits<Float>::kBits + 1);
}

template <typename Float>
Float ulps_away(Float v, int n) {
  const Float target = n < 0 ? Float(0) : std::numeric_limits<Float>::infinity();
  for (int i = 0; i < (n < 0 ? -n : n); ++i) v = std::nextafter(v, target);
  return v;
}

template <typename Float>
Float sample(std::mt19937_64& rng) {
  const auto pick = rng() % 100;
  const auto uniform = [&](std::uint64_t n) { return rng() % n; };
  Float v;
  if (pick < 12) {
    v = random_bits<Float>(rng);
  } else if (pick < 40) {  // amounts in cents
    v = static_cast<Float>(uniform(10'000'000'000'000)) / 100;
  } else if (pick < 50) {  // ordinary magnitudes, every significand
    v = std::ldexp(static_cast<Float>(rng() >> (64 - Traits<Float>::kBits)),
                   static_cast<int>(uniform(130)) - 70 - Traits<Float>::kBits);
  } else if (pick < 60) {  // x.xx5 and the like
    const int places = 1 + static_cast<int>(uniform(6));
    v = static_cast<Float>(uniform(1'000'000'000) * 10 + 5) / std::pow(Float(10), places);
  } else if (pick < 70) {  // a 16th digit of 5 over 15 digits
    const Float d = static_cast<Float>(100'000'000'000'000 + uniform(900'000'000'000'000));
    v = (d + Float(0.5)) * std::pow(Float(10), static_cast<int>(uniform(60)) - 30);
  } else if (pick < 78) {  // next to powers of ten, 10^15 among them
    const int n = static_cast<int>(uniform(80)) - 40;
    v = ulps_away(std::pow(Float(10), n), static_cast<int>(uniform(7)) - 3);
  } else if (pick < 81) {
    v = ulps_away(Float(999999999999999.5), static_cast<int>(uniform(9)) - 4);
  } else if (pick < 92) {
    v = ulps_away(exact_tie<Float>(rng), static_cast<int>(uniform(3)) - 1);
  } else {  // products of arredonda: an amount times 100
    const double amount = static_cast<double>(uniform(100'000'000'000)) / 1000;
    v = static_cast<Float>(static_cast<Float>(amount) * 100);
  }
  return (rng() & 1) != 0 ? -v : v;
}

template <typename Float>
void run_random_sample(const char* name, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  Failures failures;
  Texts texts;
  for (int i = 0; i < kRandomPerType; ++i) check_value(sample<Float>(rng), failures, texts);
  failures.report(name);
}

// The texts of far extended values take big integers: checking their
// digits is enough here, the random sample checks their texts.
template <typename Float>
void run_binade_ends(const char* name, bool texts) {
  Failures failures;
  Texts t;
  for (int e = Traits<Float>::kMinExp; e <= Traits<Float>::kMaxExp; ++e) {
    const Float low = std::ldexp(Float(1), e);
    const Float high = std::nextafter(std::ldexp(Float(1), e + 1), Float(0));
    check_value(low, failures, t, texts);
    check_value(high, failures, t, texts);
  }
  failures.report(name);
}

TEST(ExactDigits, RandomDoublesMatchTheExactExpansion) {
  run_random_sample<double>("doubles", 20240307);
}

TEST(ExactDigits, RandomExtendedValuesMatchTheExactExpansion) {
  run_random_sample<Extended>("extended values", 18991230);
}

// Both ends of every binade: the decimal exponent estimate is at its
// extremes there, subnormals included.
TEST(ExactDigits, EveryBinadeOfDoublesMatches) { run_binade_ends<double>("double binades", true); }

TEST(ExactDigits, EveryBinadeOfExtendedValuesMatches) {
  run_binade_ends<Extended>("extended binades", false);
}

TEST(ExactDigits, ExtremesAndTableValuesMatch) {
  Failures failures;
  Texts t;
  const double doubles[] = {std::numeric_limits<double>::denorm_min(),
                            std::numeric_limits<double>::min(),
                            std::numeric_limits<double>::max(),
                            0.1 + 0.2,
                            1.0 / 3,
                            123456789.123456789,
                            0.00005,
                            999999999999999.5,
                            123456789012345678.0,
                            1e300,
                            2.675,
                            1.005};
  for (const double v : doubles) {
    check_value(v, failures, t);
    check_value(static_cast<Extended>(v), failures, t);
  }
  const Extended extended[] = {std::numeric_limits<Extended>::denorm_min(),
                               std::numeric_limits<Extended>::min(),
                               std::numeric_limits<Extended>::max(), 1.0L / 3, 2.675L * 100};
  for (const Extended v : extended) check_value(v, failures, t);
  failures.report("extremes");
}

// --- reading back ---------------------------------------------------------

// The exact midpoints between r = m * 2^e (m normalised, or e = -16445 for
// subnormals) and its neighbours.
oracle::Decimal upper_midpoint(std::uint64_t m, int e) {
  return oracle::expand(m >> 63, (m << 1) | 1, e - 1);  // (2m + 1) * 2^(e-1)
}

oracle::Decimal lower_midpoint(std::uint64_t m, int e) {
  // Below a power of two the gap halves: (4m - 1) * 2^(e-2), 4m - 1 = 2^65 - 1.
  if (m == (std::uint64_t{1} << 63) && e > -16445) return oracle::expand(1, ~std::uint64_t{0}, e - 2);
  const std::uint64_t twice = m << 1;  // (2m - 1) * 2^(e-1), 65 bits
  return oracle::expand((m >> 63) - (twice == 0 ? 1 : 0), twice - 1, e - 1);
}

TEST(ExactDigits, ReadBackRoundsToTheNearestExtendedValue) {
  std::mt19937_64 rng(451);
  Failures failures;
  for (int i = 0; i < 100'000; ++i) {
    char digits[15];
    const int length = 1 + static_cast<int>(rng() % 15);
    digits[0] = static_cast<char>('1' + rng() % 9);
    for (int k = 1; k < length; ++k) digits[k] = static_cast<char>('0' + rng() % 10);
    int count = length;
    while (digits[count - 1] == '0') --count;
    const int point = (rng() % 2) != 0 ? static_cast<int>(rng() % 40) - 20
                                       : static_cast<int>(rng() % 9910) - 4970;
    const oracle::Decimal wanted =
        oracle::decimal_of(std::string_view(digits, static_cast<std::size_t>(count)), point);
    const bool negative = (rng() & 1) != 0;
    // The shape of the general number text: fixed or exponent notation.
    std::string text;
    oracle::general_text(text, negative, wanted, ',');

    Extended r = 0;
    if (!detail::read_general_number(text, kBrazilian, &r)) {
      failures.add(text + ": not read");
      continue;
    }
    if (std::signbit(r) != negative) failures.add(text + ": wrong sign");
    r = std::fabs(r);
    if (r == 0) {
      // Only at or below half the smallest subnormal, 2^-16446.
      if (oracle::compare(wanted, oracle::expand(0, 1, -16446)) > 0) failures.add(text + ": read as 0");
      continue;
    }
    if (std::isinf(r)) {
      const Binary top = binary_of(std::numeric_limits<Extended>::max());
      if (oracle::compare(wanted, upper_midpoint(top.m, top.e)) < 0) failures.add(text + ": read as INF");
      continue;
    }
    Binary b = binary_of(r);
    if (b.e < -16445) {  // subnormal: the significand in units of 2^-16445
      b.m >>= (-16445 - b.e);
      b.e = -16445;
    }
    const int vs_lower = oracle::compare(wanted, lower_midpoint(b.m, b.e));
    const int vs_upper = oracle::compare(wanted, upper_midpoint(b.m, b.e));
    const bool even = (b.m & 1) == 0;
    const bool inside = vs_lower > 0 && vs_upper < 0;
    const bool tie_to_even = even && vs_lower >= 0 && vs_upper <= 0;
    if (!inside && !tie_to_even) failures.add(text + ": read as " + describe(r));
  }
  failures.report("read back");
}

}  // namespace
}  // namespace kovo
