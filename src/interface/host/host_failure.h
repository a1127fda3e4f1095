// How a failure other than a database error leaves an export: never as a C++
// exception. Once everything the call borrowed has been given back, the
// message is kept in a per-thread buffer and handed to the host: to the hook
// the host registered, or else to the platform's own mechanism (a
// structured exception on Windows).
#pragma once

#include <cstdint>
#include <exception>
#include <string_view>

#include "interface/host/text_allocator.h"

namespace kovo::host {

// Must not return: it leaves by longjmp or by raising the host's own
// exception. If it does return, the platform default follows.
using RaiseHook = void(KOVO_STDCALL*)(std::uint32_t code, const char* message,
                                      std::int32_t length);

void set_raise_hook(RaiseHook hook) noexcept;

// Keeps a copy of `message` (cut to 1023 bytes) for the host's handler.
void remember_failure(std::string_view message) noexcept;
// Hands the kept message to the hook or the platform; never returns.
[[noreturn]] void raise_remembered_failure() noexcept;

// The platform default: RaiseException on Windows, a message on standard
// error and abort elsewhere.
[[noreturn]] void raise_platform_failure(const char* message, std::int32_t length) noexcept;

// Runs `body` and returns its result; every exception it lets out becomes a
// host failure. The body's own objects are destroyed by the unwinding and
// the handler is left before the failure is raised, so that nothing of the
// C++ runtime stays behind when the host's handler takes over.
template <typename Body>
std::uint32_t guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::exception& error) {
    remember_failure(error.what());
  } catch (...) {
    remember_failure("unknown failure");
  }
  raise_remembered_failure();
}

}  // namespace kovo::host
