// The report shown when no hook is installed. One definition per platform:
// standard error here; the Windows host boundary supplies a modal dialog.
#pragma once

namespace kovo {

// Shows `text` under `caption` and returns once it has been shown or
// dismissed. Never throws.
void default_error_report(const char* caption, const char* text) noexcept;

}  // namespace kovo
