// The embedded Firebird engine holds a database file exclusively in its
// default mode (SuperServer). Several processes share one file only when
// each runs the engine as SuperClassic, a setting of the engine's own
// firebird.conf: this builds a root directory that mirrors the installed
// one with that setting, for child processes to point FIREBIRD at.
#pragma once

#include <filesystem>
#include <optional>

namespace kovo::test {

// The root inside `dir` (created), or nothing when no Firebird 3
// installation with its embedded engine is found.
std::optional<std::filesystem::path> make_superclassic_root(const std::filesystem::path& dir);

}  // namespace kovo::test
