#include "sqlite_probe.h"

#include <dlfcn.h>
#include <ftw.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

// The few entry points of the engine's C interface the probe uses.
struct Sqlite {
  int (*open)(const char*, void**);
  int (*close)(void*);
  int (*exec)(void*, const char*, void*, void*, char**);
  void (*free)(void*);
  int (*prepare)(void*, const char*, int, void**, const char**);
  int (*step)(void*);
  int (*column_count)(void*);
  const char* (*column_name)(void*, int);
  int (*column_type)(void*, int);
  const unsigned char* (*column_text)(void*, int);
  int (*finalize)(void*);
  const char* (*errmsg)(void*);
};

constexpr int kRow = 100;
constexpr int kDone = 101;
constexpr int kNull = 5;

template <typename F>
void bind(void* library, const char* name, F& function) {
  void* found = dlsym(library, name);
  if (!found) throw std::runtime_error(std::string("sqlite3 lacks ") + name);
  function = reinterpret_cast<F>(found);
}

const Sqlite& sqlite() {
  static const Sqlite api = [] {
    void* library = dlopen("libsqlite3.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library) throw std::runtime_error(std::string("dlopen sqlite3: ") + dlerror());
    Sqlite s{};
    bind(library, "sqlite3_open", s.open);
    bind(library, "sqlite3_close", s.close);
    bind(library, "sqlite3_exec", s.exec);
    bind(library, "sqlite3_free", s.free);
    bind(library, "sqlite3_prepare_v2", s.prepare);
    bind(library, "sqlite3_step", s.step);
    bind(library, "sqlite3_column_count", s.column_count);
    bind(library, "sqlite3_column_name", s.column_name);
    bind(library, "sqlite3_column_type", s.column_type);
    bind(library, "sqlite3_column_text", s.column_text);
    bind(library, "sqlite3_finalize", s.finalize);
    bind(library, "sqlite3_errmsg", s.errmsg);
    return s;
  }();
  return api;
}

}  // namespace

SqliteProbe::SqliteProbe(const std::string& path) {
  if (sqlite().open(path.c_str(), &db_) != 0) {
    throw std::runtime_error("cannot open " + path);
  }
}

SqliteProbe::~SqliteProbe() { sqlite().close(db_); }

void SqliteProbe::exec(const std::string& sql) {
  char* error = nullptr;
  if (sqlite().exec(db_, sql.c_str(), nullptr, nullptr, &error) != 0) {
    const std::string message = error ? error : "unknown error";
    sqlite().free(error);
    throw std::runtime_error(message + " in: " + sql);
  }
}

namespace {

template <typename Each>
void each_row(void* db, const std::string& sql, Each&& each) {
  void* statement = nullptr;
  if (sqlite().prepare(db, sql.c_str(), -1, &statement, nullptr) != 0) {
    throw std::runtime_error(std::string(sqlite().errmsg(db)) + " in: " + sql);
  }
  int rc;
  while ((rc = sqlite().step(statement)) == kRow) each(statement);
  sqlite().finalize(statement);
  if (rc != kDone) throw std::runtime_error(std::string(sqlite().errmsg(db)) + " in: " + sql);
}

std::optional<std::string> column(void* statement, int i) {
  if (sqlite().column_type(statement, i) == kNull) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(sqlite().column_text(statement, i)));
}

}  // namespace

std::vector<SqliteProbe::Row> SqliteProbe::rows(const std::string& sql) {
  std::vector<Row> result;
  each_row(db_, sql, [&](void* statement) {
    Row row;
    for (int i = 0; i < sqlite().column_count(statement); ++i) row.push_back(column(statement, i));
    result.push_back(std::move(row));
  });
  return result;
}

std::vector<std::pair<std::string, std::optional<std::string>>> SqliteProbe::named_row(
    const std::string& sql) {
  std::vector<std::pair<std::string, std::optional<std::string>>> result;
  int count = 0;
  each_row(db_, sql, [&](void* statement) {
    ++count;
    for (int i = 0; i < sqlite().column_count(statement); ++i) {
      result.emplace_back(sqlite().column_name(statement, i), column(statement, i));
    }
  });
  if (count != 1) throw std::runtime_error(std::to_string(count) + " rows from: " + sql);
  return result;
}

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/kovo-boundary-XXXXXX";
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  nftw(
      path_.c_str(),
      [](const char* file, const struct stat*, int, struct FTW*) { return remove(file); }, 8,
      FTW_DEPTH | FTW_PHYS);
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}
