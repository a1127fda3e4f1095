#include <string>

#include "drivers/drivers.h"
#include "sql/database_error.h"

namespace kovo {

namespace {

struct Engine {
  std::string_view scheme;  // with its colon
  std::unique_ptr<Connection> (*open)(std::string_view location, const OpenOptions& options);
};

constexpr Engine kEngines[] = {
    {"sqlite:", open_sqlite},
    {"firebird:", open_firebird},
};

}  // namespace

std::unique_ptr<Connection> open_connection(std::string_view target, const OpenOptions& options) {
  for (const Engine& engine : kEngines) {
    if (target.substr(0, engine.scheme.size()) == engine.scheme) {
      return engine.open(target.substr(engine.scheme.size()), options);
    }
  }
  throw DatabaseError("Unknown database target '" + std::string(target) + "'");
}

}  // namespace kovo
