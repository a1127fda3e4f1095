// The error report on Windows: a modal message box with the error icon, the
// caption "Erro" and a single OK button (Enter and Esc dismiss it too); the
// call waits until it is dismissed and ignores its result.
#include <windows.h>

#include "interface/default_report_hook.h"

namespace kovo {

void default_error_report(const char* caption, const char* text) noexcept {
  // Owned by the host's active window, which stays disabled meanwhile; with
  // none, every top-level window of the calling thread is disabled instead.
  const HWND owner = GetActiveWindow();
  MessageBoxA(owner, text, caption, MB_OK | MB_ICONERROR | (owner ? MB_APPLMODAL : MB_TASKMODAL));
}

}  // namespace kovo
