// Heap allocations made by the calling thread, counted by the global
// operator new of the benchmark executables (alloc_count.cpp replaces it).
// Only the benchmark's own thread is counted: an engine's background
// threads allocate for themselves, not for the statement being measured.
#pragma once

#include <cstdint>

namespace kovo::bench {

struct AllocationCount {
  std::uint64_t calls = 0;  // operator new calls
  std::uint64_t bytes = 0;  // bytes asked for
};

AllocationCount allocations_so_far() noexcept;

}  // namespace kovo::bench
