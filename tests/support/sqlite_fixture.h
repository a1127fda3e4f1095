// Test helpers for real SQLite databases: the project's schema files, a
// temporary directory that cleans up after itself, and a database with the
// reference schema applied.
#pragma once

#include <atomic>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#include "sql/connection.h"
#include "sql/schema_loader.h"

namespace kovo::test {

// A file of schema/ in the source tree (KOVO_SOURCE_DIR is set for every test).
inline std::filesystem::path schema_file(std::string_view name) {
  return std::filesystem::path(KOVO_SOURCE_DIR) / "schema" / name;
}

// A new, empty directory, removed with its contents when the object goes.
class TempDir {
 public:
  TempDir() {
    static std::atomic<unsigned> serial{0};
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
      path_ = base / ("kovo-test-" + std::to_string(random()) + "-" + std::to_string(serial++));
      if (std::filesystem::create_directory(path_)) break;
    }
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // "sqlite:" target for a database file named `name` in this directory.
  std::string sqlite_target(std::string_view name) const {
    return "sqlite:" + (path_ / name).string();
  }

 private:
  std::filesystem::path path_;
};

// A connection to `target` holding the reference schema (with its one
// settings row).
inline std::unique_ptr<Connection> open_with_sqlite_schema(std::string_view target = "sqlite::memory:") {
  auto connection = open_connection(target);
  apply_schema_file(*connection, schema_file("sqlite.sql"));
  return connection;
}

}  // namespace kovo::test
