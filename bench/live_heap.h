// Bytes held right now through the global operator new: the library's own
// heap (every string, vector and result it makes), apart from the engines,
// which allocate through their own allocators. live_heap.cpp replaces
// operator new and delete to keep the figure; only the memory check links
// it, so the benchmarks' timings carry no extra bookkeeping.
#pragma once

#include <cstddef>

namespace kovo::bench {

std::size_t live_heap_bytes() noexcept;

}  // namespace kovo::bench
