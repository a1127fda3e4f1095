// Without structured exceptions a host that registered no hook cannot catch
// the failure: it is printed and the process ends.
#include <cstdio>
#include <cstdlib>

#include "interface/host/host_failure.h"

namespace kovo::host {

void raise_platform_failure(const char* message, std::int32_t length) noexcept {
  std::fprintf(stderr, "kovolink: failure outside the database: %.*s\n", static_cast<int>(length),
               message);
  std::fflush(stderr);
  std::abort();
}

}  // namespace kovo::host
