// The general number text and the money text written into a caller's
// buffer, so that the append_ forms and arredonda need no temporary string.
#pragma once

#include <cstddef>
#include <string_view>

#include "talpa_funcs/talpa_funcs.h"

namespace kovo::detail {

// Longest text either writer produces ("-1,23456789012345E-4951" is 23).
inline constexpr std::size_t kNumberTextCapacity = 32;

std::size_t write_general_number(char* buf, Extended value, const Separators& seps) noexcept;
std::size_t write_general_number(char* buf, double value, const Separators& seps) noexcept;
std::size_t write_money(char* buf, Extended value, const Separators& seps) noexcept;

// The amount literal and the quoted text into a caller's buffer, for
// statements that gather their value lines before adding them. The amount
// literal takes at most kNumberTextCapacity bytes, the quoted text at most
// quoted_text_capacity(text.size()).
std::size_t write_amount_literal(char* buf, double amount) noexcept;
std::size_t write_amount_literal(char* buf, Extended amount) noexcept;
constexpr std::size_t quoted_text_capacity(std::size_t text_size) noexcept { return 2 * text_size + 2; }
std::size_t write_quoted_text(char* buf, std::string_view text) noexcept;

}  // namespace kovo::detail
