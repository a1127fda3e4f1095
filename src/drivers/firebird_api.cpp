#include "drivers/firebird_api.h"

#include <map>
#include <mutex>
#include <utility>

#include "sql/database_error.h"

namespace kovo::firebird {

namespace {

#ifdef _WIN32
constexpr const char* kDefaultLibrary = "fbclient.dll";
#else
constexpr const char* kDefaultLibrary = "libfbclient.so.2";
#endif

std::mutex& api_mutex() {
  static std::mutex mutex;
  return mutex;
}

std::string& configured_name() {
  static std::string name = kDefaultLibrary;
  return name;
}

}  // namespace

Api::Api(std::string library_name)
    : library(std::move(library_name)),
      attach_database(library.function("isc_attach_database")),
      create_database(library.function("isc_create_database")),
      detach_database(library.function("isc_detach_database")),
      drop_database(library.function("isc_drop_database")),
      start_multiple(library.function("isc_start_multiple")),
      commit_transaction(library.function("isc_commit_transaction")),
      rollback_transaction(library.function("isc_rollback_transaction")),
      dsql_allocate_statement(
          library.function("isc_dsql_allocate_statement")),
      dsql_prepare(library.function("isc_dsql_prepare")),
      dsql_describe(library.function("isc_dsql_describe")),
      dsql_sql_info(library.function("isc_dsql_sql_info")),
      dsql_execute(library.function("isc_dsql_execute")),
      dsql_execute2(library.function("isc_dsql_execute2")),
      dsql_fetch(library.function("isc_dsql_fetch")),
      dsql_free_statement(library.function("isc_dsql_free_statement")),
      open_blob2(library.function("isc_open_blob2")),
      get_segment(library.function("isc_get_segment")),
      close_blob(library.function("isc_close_blob")),
      interpret(library.function("fb_interpret")) {}

const std::string& library_name() {
  std::lock_guard lock(api_mutex());
  return configured_name();
}

void set_library_name(std::string name) {
  std::lock_guard lock(api_mutex());
  configured_name() = std::move(name);
}

std::shared_ptr<const Api> load_api() {
  std::lock_guard lock(api_mutex());
  // Deliberately never destroyed (see the header); still reachable, so leak
  // checkers do not count it.
  static auto* loaded = new std::map<std::string, std::shared_ptr<const Api>>;
  auto found = loaded->find(configured_name());
  if (found != loaded->end()) return found->second;
  auto api = std::make_shared<const Api>(configured_name());
  loaded->emplace(configured_name(), api);
  return api;
}

std::string error_text(const Api& api, const Status* status) {
  std::string text;
  const Status* cursor = status;
  char line[1024];
  while (api.interpret(line, sizeof line, &cursor) > 0) {
    if (!text.empty()) text += '\n';
    text += line;
  }
  if (text.empty()) text = "Firebird error " + std::to_string(status[1]);
  return text;
}

void check(const Api& api, const Status* status) {
  if (failed(status)) throw DatabaseError(error_text(api, status));
}

}  // namespace kovo::firebird
