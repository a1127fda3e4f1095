// The values the literal-form benchmarks format: amounts as an ERP sends
// them (2 to 6 decimals, from 0.01 to 10^7, a few negative) with a sprinkle
// of extremes, extended results of rate arithmetic, and dates and texts.
#pragma once

#include <string>
#include <vector>

#include "talpa_funcs/extended.h"

namespace kovo::bench {

// A power of two in size, so that a benchmark can cycle with a mask.
inline constexpr std::size_t kMixSize = 4096;

const std::vector<double>& amount_mix();
// Half the amounts widened, half products rate / 100 * amount computed in
// extended precision (no double holds them).
const std::vector<Extended>& extended_mix();
// Day counts with a time of day, 1990 to 2040.
const std::vector<double>& datetime_mix();
// Product descriptions and remarks, some with single quotes.
const std::vector<std::string>& text_mix();

}  // namespace kovo::bench
