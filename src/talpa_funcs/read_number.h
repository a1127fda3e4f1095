// Reads back a number in the shape the general number text gives it,
// rounded correctly to the nearest extended value (ties to even). Exact
// integer arithmetic only: the result does not depend on the floating unit.
#pragma once

#include <string_view>

#include "talpa_funcs/talpa_funcs.h"

namespace kovo::detail {

// Accepts an optional sign, digits with at most one decimal separator
// (at most 19 significant digits), and optionally "E" or "e" followed by a
// signed decimal exponent. Returns false for any other text ("INF", "NAN",
// "", "1.234,5", ...), leaving *value untouched.
bool read_general_number(std::string_view text, const Separators& seps, Extended* value) noexcept;

}  // namespace kovo::detail
