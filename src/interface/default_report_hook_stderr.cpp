// Default error report without a windowing system: caption and text on
// standard error. Nothing waits for a user, so the call returns at once.
#include <cstdio>

#include "interface/default_report_hook.h"

namespace kovo {

void default_error_report(const char* caption, const char* text) noexcept {
  std::fprintf(stderr, "%s\n%s\n", caption, text);
  std::fflush(stderr);
}

}  // namespace kovo
