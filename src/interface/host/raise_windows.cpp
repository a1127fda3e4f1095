// The failure as a structured exception: the host's own handler (try/except
// in Delphi) receives it. Non-continuable: there is no result to go back to.
#include <windows.h>

#include <cstdlib>

#include "interface/host/host_abi.h"
#include "interface/host/host_failure.h"

namespace kovo::host {

void raise_platform_failure(const char* message, std::int32_t length) noexcept {
  const ULONG_PTR arguments[2] = {reinterpret_cast<ULONG_PTR>(message),
                                  static_cast<ULONG_PTR>(length)};
  RaiseException(KOVO_HOST_EXCEPTION_CODE, EXCEPTION_NONCONTINUABLE, 2, arguments);
  std::abort();  // not reached: continuing raises another exception
}

}  // namespace kovo::host
