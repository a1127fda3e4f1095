#include "talpa_funcs/extended.h"

namespace kovo {
namespace {

// Precision control (bits 8-9) 11 = 64-bit significand; rounding control
// (bits 10-11) 00 = to nearest.
constexpr unsigned short kPrecisionAndRounding = 0x0f00;
constexpr unsigned short kExtendedPrecision = 0x0300;

unsigned short read_control_word() noexcept {
  unsigned short cw = 0;
#if defined(__i386__) || defined(__x86_64__)
  __asm__ __volatile__("fnstcw %0" : "=m"(cw) : : "memory");
#endif
  return cw;
}

void write_control_word(unsigned short cw) noexcept {
#if defined(__i386__) || defined(__x86_64__)
  __asm__ __volatile__("fldcw %0" : : "m"(cw) : "memory");
#else
  (void)cw;
#endif
}

}  // namespace

X87PrecisionGuard::X87PrecisionGuard() noexcept : saved_(read_control_word()) {
  const auto wanted =
      static_cast<unsigned short>((saved_ & ~kPrecisionAndRounding) | kExtendedPrecision);
  if (wanted != saved_) write_control_word(wanted);
}

X87PrecisionGuard::~X87PrecisionGuard() {
  if (read_control_word() != saved_) write_control_word(saved_);
}

}  // namespace kovo
