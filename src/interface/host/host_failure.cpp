#include "interface/host/host_failure.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "interface/host/host_abi.h"

namespace kovo::host {
namespace {

std::atomic<RaiseHook> raise_hook{nullptr};

// Outlives the raise: the host's handler reads it after the library's frames
// are gone. Valid until the next failure on the same thread.
constexpr std::size_t kMessageCapacity = 1024;
thread_local char failure_message[kMessageCapacity];
thread_local std::int32_t failure_length;

}  // namespace

void set_raise_hook(RaiseHook hook) noexcept { raise_hook.store(hook); }

void remember_failure(std::string_view message) noexcept {
  // Called inside the catch handler, while the message is alive; nothing
  // here may allocate (the failure may be an exhausted heap).
  const std::size_t length = std::min(message.size(), kMessageCapacity - 1);
  std::memcpy(failure_message, message.data(), length);
  failure_message[length] = '\0';
  failure_length = static_cast<std::int32_t>(length);
}

void raise_remembered_failure() noexcept {
  if (RaiseHook hook = raise_hook.load()) {
    hook(KOVO_HOST_EXCEPTION_CODE, failure_message, failure_length);
  }
  raise_platform_failure(failure_message, failure_length);
}

}  // namespace kovo::host
