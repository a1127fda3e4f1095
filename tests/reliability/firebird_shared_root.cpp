#include "firebird_shared_root.h"

#include <dlfcn.h>

#include <cstdlib>
#include <fstream>
#include <system_error>
#include <vector>

namespace kovo::test {
namespace {

namespace fs = std::filesystem;

bool is_root(const fs::path& dir) {
  std::error_code ignored;
  return fs::exists(dir / "plugins" / "libEngine12.so", ignored) && fs::is_directory(dir / "intl", ignored);
}

// The directory of the client library this process loads: on Debian the
// engine's root lies below it, for the same architecture.
std::optional<fs::path> client_library_dir() {
  void* client = dlopen("libfbclient.so.2", RTLD_NOW);
  if (!client) return std::nullopt;
  std::optional<fs::path> dir;
  Dl_info info{};
  if (void* symbol = dlsym(client, "isc_attach_database"); symbol && dladdr(symbol, &info) && info.dli_fname) {
    dir = fs::path(info.dli_fname).parent_path();
  }
  dlclose(client);
  return dir;
}

std::optional<fs::path> installed_root() {
  std::vector<fs::path> candidates;
  if (const char* set = std::getenv("FIREBIRD")) candidates.emplace_back(set);
  if (const auto dir = client_library_dir()) candidates.push_back(*dir / "firebird" / "3.0");
  candidates.emplace_back("/usr/lib/firebird/3.0");
  candidates.emplace_back("/opt/firebird");
  for (const fs::path& dir : candidates) {
    if (is_root(dir)) return dir;
  }
  return std::nullopt;
}

}  // namespace

std::optional<fs::path> make_superclassic_root(const fs::path& dir) {
  const std::optional<fs::path> installed = installed_root();
  if (!installed) return std::nullopt;
  const fs::path root = dir / "firebird-root";
  fs::create_directories(root);
  for (const auto& entry : fs::directory_iterator(*installed)) {
    const fs::path name = entry.path().filename();
    if (name == "firebird.conf" || name == "intl") continue;
    fs::create_symlink(entry.path(), root / name);
  }
  // The engine loads its character-set module from the root it is given
  // and takes no symbolic link there: intl holds copies.
  fs::create_directories(root / "intl");
  for (const auto& entry : fs::directory_iterator(*installed / "intl")) {
    fs::copy_file(fs::canonical(entry.path()), root / "intl" / entry.path().filename());
  }
  std::ofstream(root / "firebird.conf") << "ServerMode = SuperClassic\n";
  return root;
}

}  // namespace kovo::test
