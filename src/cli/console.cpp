#include "cli/console.h"

#include <string>

#include "cli/windows1252.h"
#include "interface/error_report.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kovo::cli {
namespace {

Progress* g_progress = nullptr;

void report_to_stderr(void*, const char* caption, const char* text) {
  if (g_progress != nullptr) g_progress->clear();
  std::string shown = windows1252_to_utf8(caption == nullptr ? "" : caption);
  shown += '\n';
  for (const char c : windows1252_to_utf8(text == nullptr ? "" : text)) {
    if (c != '\r') shown += c;
  }
  shown += '\n';
  std::fwrite(shown.data(), 1, shown.size(), stderr);
  std::fflush(stderr);
}

}  // namespace

bool is_terminal(std::FILE* stream) {
#ifdef _WIN32
  return _isatty(_fileno(stream)) != 0;
#else
  return isatty(fileno(stream)) != 0;
#endif
}

Progress::Progress(int total, bool enabled) : total_(total), enabled_(enabled) {
  if (enabled_) g_progress = this;
}

Progress::~Progress() {
  clear();
  if (g_progress == this) g_progress = nullptr;
}

void Progress::update(int done) {
  if (!enabled_ || total_ <= 0) return;
  constexpr int kWidth = 30;
  const int filled = done * kWidth / total_;
  std::string bar = "\r[";
  bar.append(static_cast<std::size_t>(filled), '#');
  bar.append(static_cast<std::size_t>(kWidth - filled), ' ');
  bar += "] " + std::to_string(done) + "/" + std::to_string(total_);
  std::fwrite(bar.data(), 1, bar.size(), stderr);
  std::fflush(stderr);
  shown_ = true;
}

void Progress::clear() {
  if (!shown_) return;
  std::fputs("\r\x1b[K", stderr);
  std::fflush(stderr);
  shown_ = false;
}

void install_error_report() { set_error_report_hook(&report_to_stderr, nullptr); }

void write_text(std::FILE* out, std::string_view windows1252) {
  const std::string utf8 = windows1252_to_utf8(windows1252);
  std::fwrite(utf8.data(), 1, utf8.size(), out);
}

}  // namespace kovo::cli
