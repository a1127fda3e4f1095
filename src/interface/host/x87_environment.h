// The x87 state of a call from the host. A Delphi host runs with some x87
// exceptions unmasked (its default control word is $1332), under which an
// overflow or a NaN inside the library would trap instead of giving INF or
// NAN texts; another host may have lowered the precision. For the length of
// an export the unit runs with every exception masked, 64-bit precision and
// round-to-nearest; on the way out the host's whole environment (control
// word and the status flags it had) is put back, so that flags raised by the
// library's own arithmetic never trap in the host.
#pragma once

#include <cstdint>

namespace kovo::host {

class X87Environment {
 public:
  X87Environment() noexcept;
  ~X87Environment();
  X87Environment(const X87Environment&) = delete;
  X87Environment& operator=(const X87Environment&) = delete;

  // All exceptions masked, 64-bit precision, round to nearest.
  static constexpr std::uint16_t kLibraryControlWord = 0x037F;

 private:
  // FNSTENV's 28-byte protected-mode image.
  std::uint32_t saved_[7];
};

}  // namespace kovo::host
