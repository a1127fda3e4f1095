#include "tool_process.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kovo::test {
namespace {

std::string shell_quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

std::string slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

ToolRun run_tool(const std::vector<std::string>& args, const std::filesystem::path& cwd,
                 const std::string& input) {
  const auto in = cwd / ".tool-stdin";
  const auto out = cwd / ".tool-stdout";
  const auto err = cwd / ".tool-stderr";
  std::ofstream(in, std::ios::binary) << input;
  std::string command = "cd " + shell_quoted(cwd.string()) + " && " + shell_quoted(KOVOLINK_EXE);
  for (const std::string& arg : args) command += " " + shell_quoted(arg);
  command += " <" + shell_quoted(in.string()) + " >" + shell_quoted(out.string()) + " 2>" +
             shell_quoted(err.string());
  const int raw = std::system(command.c_str());
  if (raw == -1) throw std::runtime_error("cannot start a shell");
  ToolRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = slurp(out);
  run.err = slurp(err);
  std::filesystem::remove(in);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return run;
}

}  // namespace kovo::test
