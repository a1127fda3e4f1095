// The error report's text and the hook that shows it.
#include "interface/error_report.h"

#include <atomic>
#include <string>

#include "interface/default_report_hook.h"

namespace kovo {
namespace {

constexpr std::string_view kBreak = "\r\n\r\n";
constexpr std::string_view kHeading = "Erro retornado pelo processamento";
constexpr std::string_view kClosing = "Verifique e tente novamente!";

struct InstalledHook {
  ErrorReportHook hook = nullptr;  // null: the platform default
  void* context = nullptr;
};

// Calls on different connections may run on different threads; the hook is
// copied under the lock and called outside it. A spin lock over a plain
// record: both are constant-initialised and trivially destroyed, so loading
// and unloading the library runs none of its code.
std::atomic_flag hook_lock = ATOMIC_FLAG_INIT;
InstalledHook installed;

class HookLock {
 public:
  HookLock() noexcept {
    while (hook_lock.test_and_set(std::memory_order_acquire)) {
    }
  }
  ~HookLock() { hook_lock.clear(std::memory_order_release); }
  HookLock(const HookLock&) = delete;
  HookLock& operator=(const HookLock&) = delete;
};

}  // namespace

std::string compose_error_report(std::string_view tag, std::string_view message) {
  std::string text;
  text.reserve(tag.size() + kHeading.size() + message.size() + kClosing.size() +
               3 * kBreak.size());
  text += tag;
  text += kBreak;
  text += kHeading;
  text += kBreak;
  text += message;
  text += kBreak;
  text += kClosing;
  return text;
}

void set_error_report_hook(ErrorReportHook hook, void* context) {
  HookLock lock;
  installed = InstalledHook{hook, hook ? context : nullptr};
}

void show_error_report(std::string_view text) {
  InstalledHook current;
  {
    HookLock lock;
    current = installed;
  }
  // The hook takes C texts; a message may hold zero bytes of its own, which
  // then end the shown text early (as they would in a dialog).
  const std::string shown(text);
  const std::string caption(kReportCaption);
  if (current.hook) {
    current.hook(current.context, caption.c_str(), shown.c_str());
  } else {
    default_error_report(caption.c_str(), shown.c_str());
  }
}

}  // namespace kovo
