#include "talpa_funcs/big_uint.h"

#include <algorithm>
#include <bit>
#include <cassert>

namespace kovo::detail {
namespace {

// 5^(64 i) for i = 0 .. kEntries-1, built at compile time; assign_pow5
// takes the nearest entry below and multiplies the rest in.
constexpr int kStep = 64;
constexpr int kEntries = BigUint::kMaxPow5 / kStep + 1;

// In-place multiply of a little-endian limb array by a 32-bit factor.
constexpr int multiply_limbs(std::uint32_t* limbs, int size, std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (int i = 0; i < size; ++i) {
    const std::uint64_t t = std::uint64_t{limbs[i]} * factor + carry;
    limbs[i] = static_cast<std::uint32_t>(t);
    carry = t >> 32;
  }
  if (carry != 0) limbs[size++] = static_cast<std::uint32_t>(carry);
  return size;
}

constexpr std::uint32_t kPow5_13 = 1220703125;  // the largest power of five in 32 bits

// Multiplies by 5^64 = (5^13)^4 * 5^12.
constexpr int multiply_pow5_step(std::uint32_t* limbs, int size) {
  for (int k = 0; k < 4; ++k) size = multiply_limbs(limbs, size, kPow5_13);
  return multiply_limbs(limbs, size, 244140625);  // 5^12
}

constexpr int table_limbs() {
  std::uint32_t work[BigUint::kMaxLimbs] = {1};
  int size = 1;
  int total = 0;
  for (int i = 0; i < kEntries; ++i) {
    total += size;
    size = multiply_pow5_step(work, size);
  }
  return total;
}

constexpr int kTableLimbs = table_limbs();

struct Pow5Table {
  std::uint32_t limbs[kTableLimbs];
  int offset[kEntries + 1];
};

constexpr Pow5Table build_table() {
  Pow5Table table{};
  std::uint32_t work[BigUint::kMaxLimbs] = {1};
  int size = 1;
  int at = 0;
  for (int i = 0; i < kEntries; ++i) {
    table.offset[i] = at;
    for (int k = 0; k < size; ++k) table.limbs[at++] = work[k];
    size = multiply_pow5_step(work, size);
  }
  table.offset[kEntries] = at;
  return table;
}

constexpr Pow5Table kPow5Table = build_table();

}  // namespace

void BigUint::trim() noexcept {
  while (size_ > 0 && limb_[size_ - 1] == 0) --size_;
}

void BigUint::assign(std::uint64_t value) noexcept {
  limb_[0] = static_cast<std::uint32_t>(value);
  limb_[1] = static_cast<std::uint32_t>(value >> 32);
  size_ = 2;
  trim();
}

void BigUint::assign(const std::uint32_t* limbs, int count) noexcept {
  assert(count <= kMaxLimbs);
  std::copy(limbs, limbs + count, limb_);
  size_ = count;
  trim();
}

void BigUint::assign_pow5(int e) noexcept {
  assert(e >= 0 && e <= kMaxPow5);
  const int entry = e / kStep;
  const int begin = kPow5Table.offset[entry];
  size_ = kPow5Table.offset[entry + 1] - begin;
  std::copy(kPow5Table.limbs + begin, kPow5Table.limbs + begin + size_, limb_);
  int rest = e % kStep;
  for (; rest >= 13; rest -= 13) multiply(kPow5_13);
  std::uint32_t factor = 1;
  for (; rest > 0; --rest) factor *= 5;
  multiply(factor);
}

void BigUint::multiply(std::uint32_t factor) noexcept {
  assert(size_ < kMaxLimbs);
  size_ = multiply_limbs(limb_, size_, factor);
  trim();
}

void BigUint::multiply(std::uint64_t factor) noexcept {
  const auto f0 = static_cast<std::uint32_t>(factor);
  const auto f1 = static_cast<std::uint32_t>(factor >> 32);
  if (f1 == 0) {
    multiply(f0);
    return;
  }
  assert(size_ + 2 <= kMaxLimbs);
  // From the top limb down, so that each limb is read before it is
  // overwritten; higher positions already hold their final partial sums.
  limb_[size_] = 0;
  limb_[size_ + 1] = 0;
  for (int i = size_ - 1; i >= 0; --i) {
    const std::uint64_t x = limb_[i];
    const std::uint64_t p0 = x * f0;
    const std::uint64_t p1 = x * f1;
    limb_[i] = static_cast<std::uint32_t>(p0);
    std::uint64_t t = std::uint64_t{limb_[i + 1]} + (p0 >> 32) + (p1 & 0xffffffffu);
    limb_[i + 1] = static_cast<std::uint32_t>(t);
    t = std::uint64_t{limb_[i + 2]} + (p1 >> 32) + (t >> 32);
    limb_[i + 2] = static_cast<std::uint32_t>(t);
    for (int k = i + 3; (t >> 32) != 0; ++k) {
      t = std::uint64_t{limb_[k]} + (t >> 32);
      limb_[k] = static_cast<std::uint32_t>(t);
    }
  }
  size_ += 2;
  trim();
}

void BigUint::shift_left(int bits) noexcept {
  if (size_ == 0 || bits == 0) return;
  const int words = bits / 32;
  const int rest = bits % 32;
  assert(size_ + words + 1 <= kMaxLimbs);
  limb_[size_ + words] = 0;
  for (int i = size_ - 1; i >= 0; --i) {
    const std::uint64_t v = std::uint64_t{limb_[i]} << rest;
    limb_[i + words + 1] |= static_cast<std::uint32_t>(v >> 32);
    limb_[i + words] = static_cast<std::uint32_t>(v);
  }
  std::fill(limb_, limb_ + words, 0u);
  size_ += words + 1;
  trim();
}

int BigUint::bit_length() const noexcept {
  if (size_ == 0) return 0;
  return 32 * size_ - std::countl_zero(limb_[size_ - 1]);
}

U128 BigUint::bits_from(int from) const noexcept {
  std::uint64_t words[2] = {0, 0};
  for (int k = 0; k < 128; k += 32) {
    const int bit = from + k;
    const int index = bit / 32;
    const int rest = bit % 32;
    std::uint64_t v = index < size_ ? limb_[index] >> rest : 0;
    if (rest != 0 && index + 1 < size_) v |= std::uint64_t{limb_[index + 1]} << (32 - rest);
    words[k / 64] |= (v & 0xffffffffu) << (k % 64);
  }
  return {words[1], words[0]};
}

bool BigUint::low_bits_set(int count) const noexcept {
  const int whole = std::min(count / 32, size_);
  for (int i = 0; i < whole; ++i) {
    if (limb_[i] != 0) return true;
  }
  const int rest = count % 32;
  if (rest == 0 || whole >= size_ || count / 32 >= size_) return false;
  return (limb_[whole] & ((std::uint32_t{1} << rest) - 1)) != 0;
}

int compare(const BigUint& a, const BigUint& b) noexcept {
  if (a.size_ != b.size_) return a.size_ < b.size_ ? -1 : 1;
  for (int i = a.size_ - 1; i >= 0; --i) {
    if (a.limb_[i] != b.limb_[i]) return a.limb_[i] < b.limb_[i] ? -1 : 1;
  }
  return 0;
}

U128 divide(const BigUint& u, const BigUint& v, BigUint* rem) noexcept {
  assert(v.size_ >= 2);
  std::uint32_t q[BigUint::kMaxLimbs] = {};
  const int n = v.size_;
  const int m = u.size_;
  if (m < n) {
    *rem = u;
    return {0, 0};
  }

  // Long division in 32-bit digits on normalised operands.
  constexpr std::uint64_t b = std::uint64_t{1} << 32;
  const int s = std::countl_zero(v.limb_[n - 1]);
  std::uint32_t vn[BigUint::kMaxLimbs];
  std::uint32_t un[BigUint::kMaxLimbs + 1];
  for (int i = n - 1; i > 0; --i) {
    vn[i] = s == 0 ? v.limb_[i] : (v.limb_[i] << s) | (v.limb_[i - 1] >> (32 - s));
  }
  vn[0] = v.limb_[0] << s;
  un[m] = s == 0 ? 0 : u.limb_[m - 1] >> (32 - s);
  for (int i = m - 1; i > 0; --i) {
    un[i] = s == 0 ? u.limb_[i] : (u.limb_[i] << s) | (u.limb_[i - 1] >> (32 - s));
  }
  un[0] = u.limb_[0] << s;

  for (int j = m - n; j >= 0; --j) {
    const std::uint64_t num = (std::uint64_t{un[j + n]} << 32) | un[j + n - 1];
    std::uint64_t qhat = num / vn[n - 1];
    std::uint64_t rhat = num - qhat * vn[n - 1];
    while (qhat >= b || qhat * vn[n - 2] > ((rhat << 32) | un[j + n - 2])) {
      --qhat;
      rhat += vn[n - 1];
      if (rhat >= b) break;
    }
    // un[j .. j+n] -= qhat * vn
    std::int64_t t = 0;
    std::uint64_t k = 0;
    for (int i = 0; i < n; ++i) {
      const std::uint64_t p = qhat * vn[i];
      t = static_cast<std::int64_t>(un[i + j]) - static_cast<std::int64_t>(k) -
          static_cast<std::int64_t>(p & 0xffffffffu);
      un[i + j] = static_cast<std::uint32_t>(t);
      k = (p >> 32) - static_cast<std::uint64_t>(t >> 32);
    }
    t = static_cast<std::int64_t>(un[j + n]) - static_cast<std::int64_t>(k);
    un[j + n] = static_cast<std::uint32_t>(t);
    q[j] = static_cast<std::uint32_t>(qhat);
    if (t < 0) {  // qhat was one too large: add back
      --q[j];
      std::uint64_t c = 0;
      for (int i = 0; i < n; ++i) {
        const std::uint64_t sum = std::uint64_t{un[i + j]} + vn[i] + c;
        un[i + j] = static_cast<std::uint32_t>(sum);
        c = sum >> 32;
      }
      un[j + n] = static_cast<std::uint32_t>(un[j + n] + c);
    }
  }
  for (int i = 0; i < n; ++i) {
    rem->limb_[i] = s == 0 ? un[i] : (un[i] >> s) | (un[i + 1] << (32 - s));
  }
  rem->size_ = n;
  rem->trim();


  for (int i = 4; i <= m - n; ++i) assert(q[i] == 0);
  return {(std::uint64_t{q[3]} << 32) | q[2], (std::uint64_t{q[1]} << 32) | q[0]};
}

}  // namespace kovo::detail
