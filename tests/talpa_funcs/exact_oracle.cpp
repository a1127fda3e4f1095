#include "exact_oracle.h"

#include <algorithm>
#include <cassert>
#include <vector>

namespace oracle {
namespace {

constexpr std::uint32_t kBase = 1'000'000'000;

// Base 10^9, least significant first, in a caller's buffer.
struct Big {
  std::uint32_t* limb;
  int size;
};

void mul_small(Big& x, std::uint32_t f) {
  std::uint64_t carry = 0;
  for (int i = 0; i < x.size; ++i) {
    const std::uint64_t cur = std::uint64_t{x.limb[i]} * f + carry;
    x.limb[i] = static_cast<std::uint32_t>(cur % kBase);
    carry = cur / kBase;
  }
  for (; carry != 0; carry /= kBase) x.limb[x.size++] = static_cast<std::uint32_t>(carry % kBase);
}

void add_small(Big& x, std::uint64_t v) {
  for (int i = 0; v != 0; ++i) {
    if (i == x.size) x.limb[x.size++] = 0;
    const std::uint64_t cur = x.limb[i] + v;
    x.limb[i] = static_cast<std::uint32_t>(cur % kBase);
    v = cur / kBase;
  }
}

// r = a * b; r must have room for a.size + b.size limbs.
void mul(const std::vector<std::uint32_t>& a, const Big& b, Big& r) {
  r.size = static_cast<int>(a.size()) + b.size;
  std::fill(r.limb, r.limb + r.size, 0u);
  for (int j = 0; j < b.size; ++j) {
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
      const std::uint64_t cur = r.limb[i + j] + std::uint64_t{a[i]} * b.limb[j] + carry;
      r.limb[i + j] = static_cast<std::uint32_t>(cur % kBase);
      carry = cur / kBase;
    }
    for (int k = j + static_cast<int>(a.size()); carry != 0; ++k) {
      const std::uint64_t cur = r.limb[k] + carry;
      r.limb[k] = static_cast<std::uint32_t>(cur % kBase);
      carry = cur / kBase;
    }
  }
  while (r.size > 0 && r.limb[r.size - 1] == 0) --r.size;
}

constexpr int kMaxExponent = 16700;

// base^(64 i) for i = 0 .. count-1.
std::vector<std::vector<std::uint32_t>> chunk_powers(std::uint32_t base) {
  std::vector<std::vector<std::uint32_t>> p;
  std::vector<std::uint32_t> buffer(1400, 0);
  Big x{buffer.data(), 1};
  buffer[0] = 1;
  for (int i = 0; i <= kMaxExponent / 64; ++i) {
    p.emplace_back(buffer.begin(), buffer.begin() + x.size);
    for (int k = 0; k < 64; ++k) mul_small(x, base);
  }
  return p;
}

const std::vector<std::uint32_t>& power(std::uint32_t base, int e) {
  static const auto twos = chunk_powers(2);
  static const auto fives = chunk_powers(5);
  return (base == 2 ? twos : fives).at(static_cast<std::size_t>(e / 64));
}

// Writes the nine digits of a limb.
void put_limb(char* p, std::uint32_t v) {
  for (int i = 8; i >= 0; --i, v /= 10) p[i] = static_cast<char>('0' + v % 10);
}

}  // namespace

Decimal decimal_of(std::string_view digits, int point) {
  Decimal d;
  d.count = static_cast<int>(digits.size());
  std::copy(digits.begin(), digits.end(), d.digit);
  d.point = point;
  return d;
}

Decimal expand(std::uint64_t hi, std::uint64_t lo, int e2, int wanted) {
  assert(wanted <= 40 && e2 > -kMaxExponent && e2 < kMaxExponent);
  std::uint32_t small_limbs[16];
  Big small{small_limbs, 0};
  add_small(small, hi);
  for (int k = 0; k < 4; ++k) mul_small(small, 1u << 16);
  add_small(small, lo);
  while (small.size > 0 && small.limb[small.size - 1] == 0) --small.size;
  if (small.size == 0) return {};

  const std::uint32_t base = e2 >= 0 ? 2 : 5;
  const int e = e2 >= 0 ? e2 : -e2;
  for (int k = 0; k < e % 64; ++k) mul_small(small, base);
  const std::vector<std::uint32_t>& chunk = power(base, e);
  static std::vector<std::uint32_t> product_limbs(1500);
  Big x{product_limbs.data(), 0};
  mul(chunk, small, x);

  // The leading digits of x from its top limbs, then whether any digit
  // below them is non-zero.
  char lead[64];
  int n = 0;
  for (std::uint32_t top = x.limb[x.size - 1]; top != 0; top /= 10) ++n;
  put_limb(lead, x.limb[x.size - 1]);
  std::copy(lead + 9 - n, lead + 9, lead);
  int below = x.size - 1;  // limbs x[0 .. below-1] not in `lead`
  while (below > 0 && n < wanted) {
    put_limb(lead + n, x.limb[--below]);
    n += 9;
  }
  Decimal d;
  d.point = n + 9 * below + (e2 >= 0 ? 0 : e2);
  d.count = std::min(n, wanted);
  std::copy(lead, lead + d.count, d.digit);
  d.more = std::any_of(lead + d.count, lead + n, [](char c) { return c != '0'; }) ||
           std::any_of(x.limb, x.limb + below, [](std::uint32_t limb) { return limb != 0; });
  return d;
}

namespace {

// Adds one unit at the last digit, carrying; a carry out of the front turns
// the digits into "1000..." and raises the point.
void increment(Decimal& d) {
  for (int i = d.count - 1; i >= 0; --i) {
    if (d.digit[i] != '9') {
      ++d.digit[i];
      return;
    }
    d.digit[i] = '0';
  }
  if (d.count > 0) d.digit[0] = '1';
  ++d.point;
}

bool nonzero_from(const Decimal& x, int i) {
  for (int k = i; k < x.count; ++k) {
    if (x.digit[k] != '0') return true;
  }
  return x.more;
}

void strip(Decimal& x) {
  while (x.count > 0 && x.digit[x.count - 1] == '0') --x.count;
  if (x.count == 0) x = Decimal{};
}

}  // namespace

Decimal round_half_even(const Decimal& x, int n) {
  if (x.count == 0) return x;
  Decimal r;
  r.point = x.point;
  r.count = n;
  for (int i = 0; i < n; ++i) r.digit[i] = x.at(i);
  const char next = x.at(n);
  const bool odd = ((r.digit[n - 1] - '0') & 1) != 0;
  if (next > '5' || (next == '5' && (nonzero_from(x, n + 1) || odd))) increment(r);
  return r;
}

Decimal cut_by_next_digit(const Decimal& x, int keep) {
  if (x.count == 0 || keep < 0) return {};
  Decimal r;
  r.point = x.point;
  if (keep == 0) {
    if (x.at(0) < '5') return {};
    r.digit[0] = '1';  // one unit of the place just above the first digit
    r.count = 1;
    ++r.point;
    return r;
  }
  r.count = keep;
  for (int i = 0; i < keep; ++i) r.digit[i] = x.at(i);
  if (x.at(keep) >= '5') increment(r);
  strip(r);
  return r;
}

void general_text(std::string& out, bool negative, const Decimal& d18, char decimal) {
  const Decimal d = cut_by_next_digit(d18, 15);
  const std::string_view s = d.digits();
  const int k = d.count;
  const int e = d.point;
  out.clear();
  if (negative) out += '-';
  if (e >= -3 && e <= 15) {
    if (e <= 0) {
      out += '0';
      out += decimal;
      out.append(static_cast<std::size_t>(-e), '0');
      out += s;
    } else if (k <= e) {
      out += s;
      out.append(static_cast<std::size_t>(e - k), '0');
    } else {
      out += s.substr(0, static_cast<std::size_t>(e));
      out += decimal;
      out += s.substr(static_cast<std::size_t>(e));
    }
    return;
  }
  out += s[0];
  if (k > 1) {
    out += decimal;
    out += s.substr(1);
  }
  out += 'E';
  out += std::to_string(e - 1);
}

void money_text(std::string& out, bool negative, const Decimal& d18, char decimal, char thousands) {
  const Decimal r = cut_by_next_digit(d18, std::min(15, d18.point + 2));
  if (r.count != 0 && r.point > 15) {
    general_text(out, negative, d18, decimal);
    return;
  }
  // The digit of 10^place is at index point - 1 - place of 0.digits * 10^point.
  const auto digit_of = [&](int place) {
    const int index = r.point - 1 - place;
    return index < 0 ? '0' : r.at(index);
  };
  out.clear();
  if (negative && r.count != 0) out += '-';
  const int top = std::max(r.point, 1) - 1;
  for (int place = top; place >= 0; --place) {
    out += digit_of(place);
    if (place != 0 && place % 3 == 0) out += thousands;
  }
  out += decimal;
  out += digit_of(-1);
  out += digit_of(-2);
}

int compare(const Decimal& a, const Decimal& b) {
  if (a.count == 0 || b.count == 0) {
    if (a.count == 0 && b.count == 0) return 0;
    return a.count == 0 ? -1 : 1;
  }
  if (a.point != b.point) return a.point < b.point ? -1 : 1;
  const int n = std::max(a.count, b.count);
  for (int i = 0; i < n; ++i) {
    if (a.at(i) != b.at(i)) return a.at(i) < b.at(i) ? -1 : 1;
  }
  if (a.more != b.more) return a.more ? 1 : -1;
  return 0;
}

}  // namespace oracle
