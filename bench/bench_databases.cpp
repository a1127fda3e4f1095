#include "bench_databases.h"

#include <stdlib.h>

#include <cstdlib>

#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <system_error>

#include "drivers/firebird_api.h"
#include "drivers/firebird_database.h"
#include "drivers/sqlite_api.h"
#include "invoice_fixture.h"
#include "sql/database_error.h"
#include "sql/schema_loader.h"

namespace kovo::bench {
namespace {

std::string schema_text(Engine engine) {
  const auto path = std::filesystem::path(KOVO_SOURCE_DIR) / "schema" /
                    (engine == Engine::Firebird ? "firebird.sql" : "sqlite.sql");
  std::ifstream file(path, std::ios::binary);
  std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (text.empty()) throw std::runtime_error("cannot read " + path.string());
  return text;
}

std::filesystem::path file_of(Engine engine, const ScratchDir& dir, const char* side) {
  return dir.path() / (std::string(side) + (engine == Engine::Firebird ? ".fdb" : ".db"));
}

// Firebird databases are made by the library's creation routine either way:
// creating one takes parameters the engine's interface spreads over many
// calls, and it is setup, not measured.
std::unique_ptr<Connection> new_firebird(const std::filesystem::path& file) {
  return create_firebird_database("firebird:" + file.string(), schema_text(Engine::Firebird),
                                  {.forced_writes = durable_commits()});
}

constexpr const char* kNoSync = "PRAGMA synchronous = OFF";

struct Shared {
  std::unique_ptr<ScratchDir> dir;
  std::unique_ptr<Connection> library;
  std::unique_ptr<RawEngine> raw;
};

std::map<Engine, Shared>& shared() {
  static std::map<Engine, Shared> databases;
  return databases;
}

Shared& shared_for(Engine engine) {
  Shared& s = shared()[engine];
  if (!s.dir) s.dir = std::make_unique<ScratchDir>();
  return s;
}

}  // namespace

Connection& shared_library_database(Engine engine) {
  Shared& s = shared_for(engine);
  if (!s.library) s.library = library_database(engine, *s.dir);
  return *s.library;
}

RawEngine& shared_raw_database(Engine engine) {
  Shared& s = shared_for(engine);
  if (!s.raw) s.raw = raw_database(engine, *s.dir);
  return *s.raw;
}

void release_shared_databases() {
  for (auto& [engine, s] : shared()) {
    s.library.reset();
    s.raw.reset();
    s.dir.reset();
  }
  shared().clear();
}

bool durable_commits() {
  static const bool durable = [] {
    const char* setting = std::getenv("KOVO_BENCH_DURABLE");
    return setting && std::string(setting) == "1";
  }();
  return durable;
}

const char* engine_name(Engine engine) {
  switch (engine) {
    case Engine::SqliteMemory:
      return "sqlite_memory";
    case Engine::SqliteFile:
      return "sqlite_file";
    case Engine::Firebird:
      return "firebird_embedded";
  }
  return "?";
}

bool engine_available(Engine engine, std::string* reason) {
  try {
    if (engine == Engine::Firebird) {
      firebird::load_api();
    } else {
      sqlite::load_api();
    }
    return true;
  } catch (const DatabaseError& error) {
    *reason = error.what();
    return false;
  }
}

ScratchDir::ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kovo-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::system_error(errno, std::generic_category(), "mkdtemp");
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void run_all(Connection& connection, const std::vector<std::string>& statements) {
  connection.begin();
  for (const std::string& sql : statements) connection.execute(sql);
  connection.commit();
}

void run_all(RawEngine& engine, const std::vector<std::string>& statements) {
  engine.begin();
  for (const std::string& sql : statements) engine.execute(sql);
  engine.commit();
}

std::unique_ptr<Connection> library_database(Engine engine, const ScratchDir& dir) {
  std::unique_ptr<Connection> connection;
  if (engine == Engine::Firebird) {
    // Attached afresh, as the baseline is, rather than kept from creation.
    const auto file = file_of(engine, dir, "library");
    new_firebird(file).reset();
    connection = open_connection("firebird:" + file.string());
  } else {
    connection = open_connection(engine == Engine::SqliteMemory
                                     ? std::string("sqlite::memory:")
                                     : "sqlite:" + file_of(engine, dir, "library").string());
    if (engine == Engine::SqliteFile && !durable_commits()) connection->execute(kNoSync);
    run_all(*connection, split_statements(schema_text(engine)));
  }
  run_all(*connection, seed_statements());
  return connection;
}

std::unique_ptr<RawEngine> raw_database(Engine engine, const ScratchDir& dir) {
  std::unique_ptr<RawEngine> raw;
  if (engine == Engine::Firebird) {
    const auto file = file_of(engine, dir, "baseline");
    new_firebird(file).reset();
    raw = raw_firebird(file);
  } else {
    raw = raw_sqlite(engine == Engine::SqliteMemory ? std::string(":memory:")
                                                     : file_of(engine, dir, "baseline").string());
    if (engine == Engine::SqliteFile && !durable_commits()) raw->execute(kNoSync);
    run_all(*raw, split_statements(schema_text(engine)));
  }
  run_all(*raw, seed_statements());
  return raw;
}

}  // namespace kovo::bench
