// Every benchmark also reports the minimum over its repetitions: on a
// shared machine other work only ever adds time, so the fastest repetition
// is the closest to the code's own cost, and the ratio table uses it.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace kovo::bench {

// For Benchmark::Apply.
inline void with_minimum(benchmark::internal::Benchmark* b) {
  b->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

}  // namespace kovo::bench
