#include "interface/host/text_allocator.h"

#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>

namespace kovo::host {
namespace {

enum Phase : int {
  kUntouched = 0,  // nothing made yet; the host may still register
  kRuntime = 1,    // the C runtime heap is in use for good
  kHost = 2,       // the host's routines are in use for good
};

std::atomic<int> phase{kUntouched};
std::atomic<HostAllocate> host_allocate{nullptr};
std::atomic<HostFree> host_free{nullptr};

int settled_phase() noexcept {
  int current = phase.load(std::memory_order_acquire);
  if (current == kUntouched) {
    // Loses only to a registration that completed first.
    phase.compare_exchange_strong(current, kRuntime, std::memory_order_acq_rel);
    current = phase.load(std::memory_order_acquire);
  }
  return current;
}

}  // namespace

bool register_text_allocator(HostAllocate allocate, HostFree release) noexcept {
  if (!allocate || !release) return false;
  if (phase.load(std::memory_order_acquire) != kUntouched) return false;
  // Published before the phase so that whoever sees kHost sees them.
  HostAllocate no_allocate = nullptr;
  if (!host_allocate.compare_exchange_strong(no_allocate, allocate)) return false;
  host_free.store(release, std::memory_order_release);
  int expected = kUntouched;
  if (!phase.compare_exchange_strong(expected, kHost, std::memory_order_acq_rel)) {
    host_allocate.store(nullptr);
    host_free.store(nullptr);
    return false;
  }
  return true;
}

void* allocate_text_block(std::size_t size) {
  void* block = nullptr;
  if (settled_phase() == kHost) {
    if (size <= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
      block = host_allocate.load(std::memory_order_acquire)(static_cast<std::int32_t>(size));
    }
  } else {
    block = std::malloc(size);
  }
  if (!block) throw std::bad_alloc();
  return block;
}

void free_text_block(void* block) noexcept {
  if (!block) return;
  if (settled_phase() == kHost) {
    host_free.load(std::memory_order_acquire)(block);
  } else {
    std::free(block);
  }
}

}  // namespace kovo::host
