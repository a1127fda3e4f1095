#include "cli/options.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace kovo::cli {

std::optional<std::string> ParsedOptions::value(std::string_view name) const {
  const auto found = values.find(name);
  if (found == values.end()) return std::nullopt;
  return found->second;
}

ParsedOptions parse_options(const std::vector<std::string>& args, const OptionRules& rules) {
  ParsedOptions parsed;
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!options_ended && (arg == "--help" || arg == "-h")) {
      parsed.help = true;
      return parsed;
    }
    if (!options_ended && arg == "--") {
      options_ended = true;
      continue;
    }
    if (options_ended || arg == "-" || arg.rfind("-", 0) != 0) {
      parsed.positional.push_back(arg);
      continue;
    }
    if (arg.rfind("--", 0) != 0) throw UsageError("unknown option " + arg);
    std::string name = arg.substr(2);
    std::optional<std::string> inline_value;
    if (const auto eq = name.find('='); eq != std::string::npos) {
      inline_value = name.substr(eq + 1);
      name.resize(eq);
    }
    if (rules.flags.count(name) != 0) {
      if (inline_value) throw UsageError("option --" + name + " takes no value");
      if (!parsed.flags.insert(name).second) throw UsageError("option --" + name + " given twice");
      continue;
    }
    if (rules.valued.count(name) == 0) throw UsageError("unknown option --" + name);
    if (!inline_value) {
      if (i + 1 >= args.size()) throw UsageError("option --" + name + " needs a value");
      inline_value = args[++i];
    }
    if (!parsed.values.emplace(name, *inline_value).second) {
      throw UsageError("option --" + name + " given twice");
    }
  }
  if (parsed.positional.size() < rules.min_positional) throw UsageError("missing arguments");
  if (parsed.positional.size() > rules.max_positional) {
    throw UsageError("unexpected argument " + parsed.positional[rules.max_positional]);
  }
  return parsed;
}

std::int32_t parse_int32(std::string_view option, std::string_view text) {
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    throw UsageError("--" + std::string(option) + ": " + std::string(text) + " is out of the 32-bit range");
  }
  if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
    throw UsageError("--" + std::string(option) + " expects an integer, not \"" + std::string(text) + "\"");
  }
  return value;
}

double parse_double(std::string_view option, std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || text.empty() || !std::isfinite(value)) {
    throw UsageError("--" + std::string(option) + " expects a number written with a point, not \"" +
                     std::string(text) + "\"");
  }
  return value;
}

}  // namespace kovo::cli
