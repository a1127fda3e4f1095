// Command-line options of a subcommand: "--name value", "--name=value",
// flags, and positional arguments.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kovo::cli {

// A command line that does not fit the subcommand (exit status 2).
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct OptionRules {
  std::set<std::string, std::less<>> valued;  // names without "--"
  std::set<std::string, std::less<>> flags;
  std::size_t min_positional = 0;
  std::size_t max_positional = 0;
};

struct ParsedOptions {
  bool help = false;  // --help or -h: nothing else is checked
  std::vector<std::string> positional;
  std::map<std::string, std::string, std::less<>> values;
  std::set<std::string, std::less<>> flags;

  std::optional<std::string> value(std::string_view name) const;
  bool flag(std::string_view name) const { return flags.count(name) != 0; }
};

// Throws UsageError for an unknown option, a missing value, a repeated
// option or the wrong number of positional arguments. A lone "-" is a
// positional argument (standard input); "--" ends the options.
ParsedOptions parse_options(const std::vector<std::string>& args, const OptionRules& rules);

// Number options, read without regard to the C locale.
std::int32_t parse_int32(std::string_view option, std::string_view text);
double parse_double(std::string_view option, std::string_view text);

}  // namespace kovo::cli
