// kovolink: the command-line tool. Every failure ends as a message and an
// exit status; nothing escapes main.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/console.h"

int main(int argc, char** argv) {
  try {
    kovo::cli::install_error_report();
    return kovo::cli::run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "kovolink: %s\n", error.what());
  } catch (...) {
    std::fprintf(stderr, "kovolink: unknown failure\n");
  }
  return 1;
}
