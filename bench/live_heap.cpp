#include "live_heap.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace kovo::bench {
namespace {

std::atomic<std::size_t> live{0};

void* allocate(std::size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  live.fetch_add(malloc_usable_size(p), std::memory_order_relaxed);
  return p;
}

void* allocate(std::size_t size, std::align_val_t alignment) {
  const auto align = static_cast<std::size_t>(alignment);
  const std::size_t rounded = (size + align - 1) / align * align;
  void* p = std::aligned_alloc(align, rounded ? rounded : align);
  if (!p) throw std::bad_alloc();
  live.fetch_add(malloc_usable_size(p), std::memory_order_relaxed);
  return p;
}

void release(void* p) noexcept {
  if (!p) return;
  live.fetch_sub(malloc_usable_size(p), std::memory_order_relaxed);
  std::free(p);
}

template <typename... Alignment>
void* allocate_nothrow(std::size_t size, Alignment... alignment) noexcept {
  try {
    return allocate(size, alignment...);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace

std::size_t live_heap_bytes() noexcept { return live.load(std::memory_order_relaxed); }

}  // namespace kovo::bench

using kovo::bench::allocate;
using kovo::bench::allocate_nothrow;
using kovo::bench::release;

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate_nothrow(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate_nothrow(size); }
void* operator new(std::size_t size, std::align_val_t a) { return allocate(size, a); }
void* operator new[](std::size_t size, std::align_val_t a) { return allocate(size, a); }
void* operator new(std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
  return allocate_nothrow(size, a);
}
void* operator new[](std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
  return allocate_nothrow(size, a);
}

void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { release(p); }
void operator delete(void* p, std::align_val_t) noexcept { release(p); }
void operator delete[](void* p, std::align_val_t) noexcept { release(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { release(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { release(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { release(p); }
