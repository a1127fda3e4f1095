// Reports the heap allocations a benchmark loop made, per iteration, as the
// counter "allocs" (and "alloc_bytes").
#pragma once

#include <benchmark/benchmark.h>

#include "alloc_count.h"

namespace kovo::bench {

class AllocationMeter {
 public:
  AllocationMeter() : start_(allocations_so_far()) {}
  void report(benchmark::State& state) const {
    const AllocationCount now = allocations_so_far();
    const auto n = static_cast<double>(state.iterations());
    if (n == 0) return;
    state.counters["allocs"] = static_cast<double>(now.calls - start_.calls) / n;
    state.counters["alloc_bytes"] = static_cast<double>(now.bytes - start_.bytes) / n;
  }

 private:
  AllocationCount start_;
};

}  // namespace kovo::bench
