#include "talpa_funcs/float_bits.h"

#include <cstring>

namespace kovo::detail {
namespace {

constexpr int kExtendedBias = 16383;
constexpr int kExtendedMinExp = 1 - kExtendedBias;  // of a normal value 1.f * 2^E
constexpr int kExtendedMaxField = 0x7fff;

Extended from_fields(std::uint64_t significand, unsigned field, bool negative) noexcept {
  // Padding bytes of the object (12 or 16 bytes wide) stay zero.
  Extended result = 0;
  const auto sign_exponent = static_cast<std::uint16_t>(field | (negative ? 0x8000u : 0u));
  std::memcpy(&result, &significand, sizeof significand);
  std::memcpy(reinterpret_cast<unsigned char*>(&result) + 8, &sign_exponent, sizeof sign_exponent);
  return result;
}

}  // namespace

FloatParts split(double value) noexcept {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const bool negative = (bits >> 63) != 0;
  const auto field = static_cast<int>((bits >> 52) & 0x7ff);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  if (field == 0x7ff) {
    return {fraction != 0 ? FloatKind::nan : FloatKind::infinite, negative, 0, 0};
  }
  if (field == 0) {
    if (fraction == 0) return {FloatKind::zero, negative, 0, 0};
    return {FloatKind::finite, negative, fraction, -1074};
  }
  return {FloatKind::finite, negative, fraction | (std::uint64_t{1} << 52), field - 1075};
}

FloatParts split(Extended value) noexcept {
  std::uint64_t significand;
  std::uint16_t sign_exponent;
  std::memcpy(&significand, &value, sizeof significand);
  std::memcpy(&sign_exponent, reinterpret_cast<const unsigned char*>(&value) + 8,
              sizeof sign_exponent);
  const bool negative = (sign_exponent & 0x8000u) != 0;
  const int field = sign_exponent & 0x7fff;
  if (field == kExtendedMaxField) {
    const bool nan = (significand << 1) != 0;
    return {nan ? FloatKind::nan : FloatKind::infinite, negative, 0, 0};
  }
  if (significand == 0) return {FloatKind::zero, negative, 0, 0};
  // Subnormals (field 0) share the exponent of the smallest normals.
  const int exponent = (field == 0 ? 1 : field) - kExtendedBias - 63;
  return {FloatKind::finite, negative, significand, exponent};
}

Extended make_extended(U128 q, int exp2, bool tail_nonzero, bool negative) noexcept {
  const int n = bit_length(q);
  if (n == 0) return from_fields(0, 0, negative);
  const int top = exp2 + n - 1;  // the value lies in [2^top, 2^(top+1))
  if (top > kExtendedBias) return from_fields(std::uint64_t{1} << 63, kExtendedMaxField, negative);

  // Bits of precision available at this magnitude: 64, fewer for subnormals.
  const int precision = top >= kExtendedMinExp ? 64 : 64 - (kExtendedMinExp - top);
  if (precision < 0) return from_fields(0, 0, negative);  // below half the smallest subnormal

  const int drop = n - precision;
  std::uint64_t mantissa;
  if (drop <= 0) {
    mantissa = shift_left(q, -drop).lo;
  } else {
    mantissa = drop >= 128 ? 0 : shift_right(q, drop).lo;
    const bool half = drop >= 129 ? false : ((shift_right(q, drop - 1).lo & 1) != 0);
    const bool below_half = low_bits_set(q, drop - 1) || tail_nonzero;
    if (half && (below_half || (mantissa & 1) != 0)) ++mantissa;
  }

  if (precision == 64) {
    int field = top + kExtendedBias;
    if (mantissa == 0) {  // carried out of 64 bits
      mantissa = std::uint64_t{1} << 63;
      ++field;
    }
    if (field >= kExtendedMaxField) return from_fields(std::uint64_t{1} << 63, kExtendedMaxField, negative);
    return from_fields(mantissa, static_cast<unsigned>(field), negative);
  }
  // Subnormal: the mantissa counts units of 2^-16445; rounding up to 2^63
  // reaches the smallest normal value.
  return from_fields(mantissa, mantissa >> 63 != 0 ? 1u : 0u, negative);
}

}  // namespace kovo::detail
