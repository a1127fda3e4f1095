#include "test_engines.h"

#include <stdlib.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "drivers/firebird_api.h"
#include "drivers/firebird_database.h"
#include "sql/database_error.h"
#include "sql/schema_loader.h"

namespace kovo::test {
namespace {

std::filesystem::path source_dir() { return KOVO_SOURCE_DIR; }

std::string create_sqlite(const std::filesystem::path& dir) {
  const std::string target = "sqlite:" + (dir / "issuer.db").string();
  auto connection = open_connection(target);
  // One transaction: a file database syncs once instead of per table.
  connection->begin();
  apply_schema_file(*connection, source_dir() / "schema" / "sqlite.sql");
  connection->commit();
  return target;
}

void sqlite_drop_column(Connection& connection, std::string_view table, std::string_view column) {
  connection.execute("ALTER TABLE " + std::string(table) + " DROP COLUMN " + std::string(column));
}

// The embedded engine on a file of `dir`; page writes are not forced, since
// the file is thrown away.
std::string create_firebird(const std::filesystem::path& dir) {
  const std::string target = "firebird:" + (dir / "issuer.fdb").string();
  std::ifstream file(source_dir() / "schema" / "firebird.sql", std::ios::binary);
  const std::string schema{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (schema.empty()) throw std::runtime_error("cannot read schema/firebird.sql");
  create_firebird_database(target, schema, {.forced_writes = false});
  return target;
}

void firebird_drop_column(Connection& connection, std::string_view table, std::string_view column) {
  connection.execute("ALTER TABLE " + std::string(table) + " DROP " + std::string(column));
}

// Loads the client the way the driver does, and keeps it loaded: unloading
// the Firebird client before exit upsets the leak checker.
void firebird_probe() { firebird::load_api(); }

const TestEngine kEngines[] = {
    {"sqlite", &create_sqlite, &sqlite_drop_column, nullptr},
    {"firebird", &create_firebird, &firebird_drop_column, &firebird_probe},
};

std::filesystem::path make_temp_dir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kovo-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::system_error(errno, std::generic_category(), "mkdtemp");
  }
  return pattern;
}

}  // namespace

std::vector<std::string> test_engine_names() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> available;
    for (const TestEngine& engine : kEngines) {
      try {
        if (engine.probe) engine.probe();
        available.emplace_back(engine.name);
      } catch (const DatabaseError& error) {
        std::fprintf(stderr, "test engine %s left out: %s\n", engine.name, error.what());
      }
    }
    return available;
  }();
  return names;
}

const TestEngine& test_engine(std::string_view name) {
  for (const TestEngine& engine : kEngines) {
    if (name == engine.name) return engine;
  }
  throw std::invalid_argument("no test engine named " + std::string(name));
}

TestDatabase::TestDatabase(std::string_view engine, const OpenOptions& options)
    : engine_(test_engine(engine)), dir_(make_temp_dir()) {
  try {
    target_ = engine_.create_database(dir_);
    connection_ = open_connection(target_, options);
  } catch (...) {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
    throw;
  }
}

TestDatabase::~TestDatabase() {
  connection_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

std::unique_ptr<Connection> TestDatabase::open_another(const OpenOptions& options) const {
  return open_connection(target_, options);
}

}  // namespace kovo::test
