// The databases the benchmarks run on: one engine, the reference schema and
// the seed rows of invoice_fixture.h, made afresh in a temporary folder,
// reached either through the library's driver or through the engine's own
// interface (raw_engine.h).
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "raw_engine.h"
#include "sql/connection.h"

namespace kovo::bench {

// The engines and how their file databases commit. SqliteFile and Firebird
// leave writing pages out to the operating system (SQLite synchronous=OFF,
// Firebird without forced writes): every page still goes to the file, but
// no commit waits for the disk, so what is compared is the engine's work
// and the library's. The Synced and ForcedWrites variants keep the engines'
// defaults, where each commit waits for several fsyncs of milliseconds and
// the disk's latency and its noise weigh on both sides alike.
enum class Engine { SqliteMemory, SqliteFile, SqliteFileSynced, Firebird, FirebirdForcedWrites };

inline constexpr Engine kEngines[] = {Engine::SqliteMemory, Engine::SqliteFile, Engine::SqliteFileSynced,
                                      Engine::Firebird, Engine::FirebirdForcedWrites};

const char* engine_name(Engine engine);
bool is_firebird(Engine engine);
// Whether a commit waits for the disk.
bool is_durable(Engine engine);

// False (with the reason) when the engine's client library cannot be loaded
// here.
bool engine_available(Engine engine, std::string* reason);

// A temporary folder, removed with its contents when the object goes.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A new seeded database in `dir` (in memory for SqliteMemory), through the
// library's driver.
std::unique_ptr<Connection> library_database(Engine engine, const ScratchDir& dir);

// The same database, made and then reached through the engine's own
// interface.
std::unique_ptr<RawEngine> raw_database(Engine engine, const ScratchDir& dir);

// One database of each kind per engine, made at first use and kept for the
// rest of the run, so that a benchmark run several times (as the framework
// does to find its iteration count) does not make it again each time.
Connection& shared_library_database(Engine engine);
RawEngine& shared_raw_database(Engine engine);
// Closes and deletes them; called once the benchmarks have run.
void release_shared_databases();

// Runs `statements` in one transaction.
void run_all(Connection& connection, const std::vector<std::string>& statements);
void run_all(RawEngine& engine, const std::vector<std::string>& statements);

}  // namespace kovo::bench
