#include "drivers/sqlite_api.h"

#include <utility>

namespace kovo::sqlite {

namespace {

#ifdef _WIN32
constexpr const char* kDefaultLibrary = "sqlite3.dll";
#elif defined(__APPLE__)
constexpr const char* kDefaultLibrary = "libsqlite3.dylib";
#else
constexpr const char* kDefaultLibrary = "libsqlite3.so.0";
#endif

std::string& configured_name() {
  static std::string name = kDefaultLibrary;
  return name;
}

}  // namespace

Api::Api(std::string library_name)
    : library(std::move(library_name)),
      open_v2(library.function("sqlite3_open_v2")),
      close_v2(library.function("sqlite3_close_v2")),
      errmsg(library.function("sqlite3_errmsg")),
      errstr(library.function("sqlite3_errstr")),
      busy_timeout(library.function("sqlite3_busy_timeout")),
      get_autocommit(library.function("sqlite3_get_autocommit")),
      prepare_v2(library.function("sqlite3_prepare_v2")),
      step(library.function("sqlite3_step")),
      finalize(library.function("sqlite3_finalize")),
      column_count(library.function("sqlite3_column_count")),
      column_name(library.function("sqlite3_column_name")),
      column_type(library.function("sqlite3_column_type")),
      column_int64(library.function("sqlite3_column_int64")),
      column_double(library.function("sqlite3_column_double")),
      column_text(library.function("sqlite3_column_text")),
      column_bytes(library.function("sqlite3_column_bytes")) {}

const std::string& library_name() { return configured_name(); }

void set_library_name(std::string name) { configured_name() = std::move(name); }

std::shared_ptr<const Api> load_api() { return std::make_shared<const Api>(configured_name()); }

}  // namespace kovo::sqlite
