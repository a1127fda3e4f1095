// The extended floating type: a 64-bit significand (x87 80-bit format).
#pragma once

#include <cfloat>

namespace kovo {

#if LDBL_MANT_DIG != 64
#error "kovolink needs long double with a 64-bit significand (x87 extended); this target has none"
#endif

using Extended = long double;

// Sets the x87 unit to 64-bit precision and round-to-nearest for its scope
// and restores the caller's control word afterwards. A 32-bit host may run
// with 53-bit precision, which would change the extended results. Does
// nothing where the compiler does not target the x87 unit for long double
// control (it always does on the x86 targets we build).
class X87PrecisionGuard {
 public:
  X87PrecisionGuard() noexcept;
  ~X87PrecisionGuard();
  X87PrecisionGuard(const X87PrecisionGuard&) = delete;
  X87PrecisionGuard& operator=(const X87PrecisionGuard&) = delete;

 private:
  unsigned short saved_;
};

}  // namespace kovo
