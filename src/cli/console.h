// The tool's terminal side: the error report on standard error and the
// progress bar that shares that stream.
#pragma once

#include <cstdio>
#include <string_view>

namespace kovo::cli {

bool is_terminal(std::FILE* stream);

// A one-line bar on standard error, redrawn in place. Disabled, it draws
// nothing. Anything else written to the terminal first calls clear().
class Progress {
 public:
  Progress(int total, bool enabled);
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  void update(int done);
  void clear();

 private:
  int total_;
  bool enabled_;
  bool shown_ = false;
};

// Shows every error report on standard error (caption, then the text in
// UTF-8 with plain line ends), clearing the progress bar first; never waits
// for anyone, so unattended runs go on.
void install_error_report();

// Writes Windows-1252 `text` to `out` as UTF-8.
void write_text(std::FILE* out, std::string_view windows1252);

}  // namespace kovo::cli
