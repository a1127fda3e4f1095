// The tool's subcommands. Each takes the arguments after its name and
// returns the exit status: 0 when everything asked succeeded, 1 when some
// documents (or the database work) failed, 2 for a command line or an input
// file that cannot be used.
#pragma once

#include <string>
#include <vector>

namespace kovo::cli {

int run_init(const std::vector<std::string>& args);
int run_registrar(const std::vector<std::string>& args);
int run_cfop(const std::vector<std::string>& args);
int run_demo(const std::vector<std::string>& args);

// Dispatches argv[1..]; prints the overview for no arguments or --help.
int run(const std::vector<std::string>& args);

}  // namespace kovo::cli
