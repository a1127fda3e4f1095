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
      open_v2(library.function<decltype(open_v2)>("sqlite3_open_v2")),
      close_v2(library.function<decltype(close_v2)>("sqlite3_close_v2")),
      errmsg(library.function<decltype(errmsg)>("sqlite3_errmsg")),
      errstr(library.function<decltype(errstr)>("sqlite3_errstr")),
      busy_timeout(library.function<decltype(busy_timeout)>("sqlite3_busy_timeout")),
      get_autocommit(library.function<decltype(get_autocommit)>("sqlite3_get_autocommit")),
      prepare_v2(library.function<decltype(prepare_v2)>("sqlite3_prepare_v2")),
      step(library.function<decltype(step)>("sqlite3_step")),
      finalize(library.function<decltype(finalize)>("sqlite3_finalize")),
      column_count(library.function<decltype(column_count)>("sqlite3_column_count")),
      column_name(library.function<decltype(column_name)>("sqlite3_column_name")),
      column_type(library.function<decltype(column_type)>("sqlite3_column_type")),
      column_int64(library.function<decltype(column_int64)>("sqlite3_column_int64")),
      column_double(library.function<decltype(column_double)>("sqlite3_column_double")),
      column_text(library.function<decltype(column_text)>("sqlite3_column_text")),
      column_bytes(library.function<decltype(column_bytes)>("sqlite3_column_bytes")) {}

const std::string& library_name() { return configured_name(); }

void set_library_name(std::string name) { configured_name() = std::move(name); }

std::shared_ptr<const Api> load_api() { return std::make_shared<const Api>(configured_name()); }

}  // namespace kovo::sqlite
