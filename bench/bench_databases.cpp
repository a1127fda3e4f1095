#include "bench_databases.h"

#include <stdlib.h>


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
                    (is_firebird(engine) ? "firebird.sql" : "sqlite.sql");
  std::ifstream file(path, std::ios::binary);
  std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (text.empty()) throw std::runtime_error("cannot read " + path.string());
  return text;
}

std::filesystem::path file_of(Engine engine, const ScratchDir& dir, const char* side) {
  return dir.path() / (std::string(side) + (is_firebird(engine) ? ".fdb" : ".db"));
}

// Firebird databases are made by the library's creation routine either way:
// creating one takes parameters the engine's interface spreads over many
// calls, and it is setup, not measured.
std::unique_ptr<Connection> new_firebird(Engine engine, const std::filesystem::path& file) {
  return create_firebird_database("firebird:" + file.string(), schema_text(engine),
                                  {.forced_writes = is_durable(engine)});
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

const char* engine_name(Engine engine) {
  switch (engine) {
    case Engine::SqliteMemory:
      return "sqlite_memory";
    case Engine::SqliteFile:
      return "sqlite_file";
    case Engine::SqliteFileSynced:
      return "sqlite_file_synced";
    case Engine::Firebird:
      return "firebird_embedded";
    case Engine::FirebirdForcedWrites:
      return "firebird_embedded_forced_writes";
  }
  return "?";
}

bool is_firebird(Engine engine) { return engine == Engine::Firebird || engine == Engine::FirebirdForcedWrites; }

bool is_durable(Engine engine) {
  return engine == Engine::SqliteFileSynced || engine == Engine::FirebirdForcedWrites;
}

bool engine_available(Engine engine, std::string* reason) {
  try {
    if (is_firebird(engine)) {
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
  if (is_firebird(engine)) {
    // Attached afresh, as the baseline is, rather than kept from creation.
    const auto file = file_of(engine, dir, "library");
    new_firebird(engine, file).reset();
    connection = open_connection("firebird:" + file.string());
  } else {
    connection = open_connection(engine == Engine::SqliteMemory
                                     ? std::string("sqlite::memory:")
                                     : "sqlite:" + file_of(engine, dir, "library").string());
    if (engine == Engine::SqliteFile) connection->execute(kNoSync);
    run_all(*connection, split_statements(schema_text(engine)));
  }
  run_all(*connection, seed_statements());
  return connection;
}

std::unique_ptr<RawEngine> raw_database(Engine engine, const ScratchDir& dir) {
  std::unique_ptr<RawEngine> raw;
  if (is_firebird(engine)) {
    const auto file = file_of(engine, dir, "baseline");
    new_firebird(engine, file).reset();
    raw = raw_firebird(file);
  } else {
    raw = raw_sqlite(engine == Engine::SqliteMemory ? std::string(":memory:")
                                                     : file_of(engine, dir, "baseline").string());
    if (engine == Engine::SqliteFile) raw->execute(kNoSync);
    run_all(*raw, split_statements(schema_text(engine)));
  }
  run_all(*raw, seed_statements());
  return raw;
}

}  // namespace kovo::bench
