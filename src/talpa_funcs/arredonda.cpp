// arredonda: rounds half away from zero, judged on the first 15
// significant digits of the scaled amount.
#include <cmath>
#include <string>

#include "talpa_funcs/number_text.h"
#include "talpa_funcs/read_number.h"
#include "talpa_funcs/talpa_funcs.h"

namespace kovo {
namespace {

// 10^n by repeated squaring in extended precision.
Extended power_of_ten(std::uint32_t n) {
  Extended result = 1;
  Extended base = 10;
  for (;;) {
    if ((n & 1) != 0) result *= base;
    n >>= 1;
    if (n == 0) return result;
    base *= base;
  }
}

}  // namespace

Extended arredonda(Extended amount, std::int32_t decimals, const Separators& seps) {
  // The arithmetic below needs a 64-bit significand and rounding to nearest,
  // whatever the caller's floating unit is set to.
  const X87PrecisionGuard guard;
  const std::uint32_t magnitude =
      decimals < 0 ? 0u - static_cast<std::uint32_t>(decimals) : static_cast<std::uint32_t>(decimals);
  Extended p = power_of_ten(magnitude);
  if (decimals < 0) p = 1 / p;
  const Extended y = amount * p;

  // The product is limited to 15 significant digits by going through its
  // general number text.
  char buf[detail::kNumberTextCapacity];
  const std::size_t n = detail::write_general_number(buf, y, seps);
  Extended read_back;
  if (!detail::read_general_number(std::string_view(buf, n), seps, &read_back)) {
    throw ConversionError("'" + std::string(buf, n) + "' is not a valid floating point value");
  }

  Extended i = std::trunc(read_back);
  const Extended f = read_back - i;
  if (f >= 0.5L) {
    i += 1;
  } else if (f <= -0.5L) {
    i -= 1;
  }
  // 10^-decimals below the smallest extended value: every amount rounds to
  // zero there, where i / p would be 0 / 0.
  if (p == 0) return 0;
  return i / p;
}

}  // namespace kovo
