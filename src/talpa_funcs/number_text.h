// The general number text and the money text written into a caller's
// buffer, so that the append_ forms and arredonda need no temporary string.
#pragma once

#include <cstddef>

#include "talpa_funcs/talpa_funcs.h"

namespace kovo::detail {

// Longest text either writer produces ("-1,23456789012345E-4951" is 23).
inline constexpr std::size_t kNumberTextCapacity = 32;

std::size_t write_general_number(char* buf, Extended value, const Separators& seps) noexcept;
std::size_t write_general_number(char* buf, double value, const Separators& seps) noexcept;
std::size_t write_money(char* buf, Extended value, const Separators& seps) noexcept;

}  // namespace kovo::detail
