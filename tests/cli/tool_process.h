// Runs the built kovolink executable as a separate process, as a user
// would, and collects its exit status and output.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kovo::test {

struct ToolRun {
  int status = -1;  // exit status; -1 when it did not exit normally
  std::string out;
  std::string err;
};

// Runs `kovolink ARGS...` in `cwd`, with `input` on its standard input.
ToolRun run_tool(const std::vector<std::string>& args, const std::filesystem::path& cwd,
                 const std::string& input = {});

}  // namespace kovo::test
