// The engines the database suites run on. A parametrised suite takes its
// parameter from test_engine_names() and builds its database with
// TestDatabase; adding an engine to the table in test_engines.cpp runs every
// such suite on it as well.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sql/connection.h"

namespace kovo::test {

struct TestEngine {
  const char* name;
  // Creates a new database holding the reference schema inside `dir` and
  // returns the target text that opens it.
  std::string (*create_database)(const std::filesystem::path& dir);
  // Removes one column of a table (the engines spell this differently).
  void (*drop_column)(Connection& connection, std::string_view table, std::string_view column);
  // Throws DatabaseError when the engine cannot run here (no client library
  // for this target, as for Firebird under the 32-bit build); null: always.
  void (*probe)();
};

// The engines whose client library is present here, by name. An engine left
// out is named once on standard error with the reason.
std::vector<std::string> test_engine_names();
// Throws std::invalid_argument for an unknown name.
const TestEngine& test_engine(std::string_view name);

// For INSTANTIATE_TEST_SUITE_P: names the instance after its engine.
struct EngineName {
  template <typename ParamInfo>
  std::string operator()(const ParamInfo& info) const {
    return info.param;
  }
};

// A fresh database of one engine in its own temporary directory, removed
// with everything in it when the object goes.
class TestDatabase {
 public:
  explicit TestDatabase(std::string_view engine, const OpenOptions& options = {});
  ~TestDatabase();
  TestDatabase(const TestDatabase&) = delete;
  TestDatabase& operator=(const TestDatabase&) = delete;

  Connection& connection() { return *connection_; }
  const std::string& target() const { return target_; }
  const TestEngine& engine() const { return engine_; }
  // Another connection to the same database.
  std::unique_ptr<Connection> open_another(const OpenOptions& options = {}) const;

 private:
  const TestEngine& engine_;
  std::filesystem::path dir_;
  std::string target_;
  std::unique_ptr<Connection> connection_;
};

}  // namespace kovo::test
