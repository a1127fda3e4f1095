#include "cli/issuer_database.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "cli/embedded.h"
#include "drivers/firebird_database.h"
#include "sql/database_error.h"
#include "sql/schema_loader.h"
#include "talpa_funcs/talpa_funcs.h"

namespace kovo::cli {
namespace {

constexpr std::string_view kSqlite = "sqlite:";
constexpr std::string_view kFirebird = "firebird:";

std::int64_t parameter_rows(Connection& connection) {
  const auto result = connection.query("SELECT COUNT(*) FROM PARAMETROS");
  if (!result->has_row()) return 0;
  const Value count = result->column_value(0);
  return count.kind == Value::Kind::Integer ? count.integer : static_cast<std::int64_t>(count.real);
}

// The schema may come with a default settings row; either way exactly one
// row holds `settings` afterwards. Values are written with the library's
// own literal forms.
void write_settings(Connection& connection, const Settings& s) {
  const std::string values = integer_literal(s.contador) + ", " + quoted_text(s.regime) + ", " +
                             amount_literal(s.aliqsn) + ", " + amount_literal(s.aliqpis) + ", " +
                             amount_literal(s.aliqcofins);
  if (parameter_rows(connection) != 0) connection.execute("DELETE FROM PARAMETROS");
  connection.execute(
      "INSERT INTO PARAMETROS (PARAMETROS_ULTIMOIDNOTA, PARAMETROS_TIPOEMPRESA, PARAMETROS_ALIQSN, "
      "PARAMETROS_ALIQPIS, PARAMETROS_ALIQCOFINS) VALUES (" +
      values + ")");
}

std::unique_ptr<Connection> create_sqlite(std::string_view target, const Settings& settings) {
  const std::string path = sqlite_path(target);
  std::error_code ignored;
  if (!path.empty() && std::filesystem::exists(path, ignored)) {
    throw DatabaseError("'" + path + "' already exists; init creates a new database and never overwrites one");
  }
  try {
    auto connection = open_connection(target);
    connection->begin();
    apply_schema(*connection, embedded::sqlite_schema);
    write_settings(*connection, settings);
    connection->commit();
    return connection;
  } catch (...) {
    if (!path.empty()) std::filesystem::remove(path, ignored);
    throw;
  }
}

std::unique_ptr<Connection> create_firebird(std::string_view target, const Settings& settings) {
  if (embedded::firebird_schema.empty()) throw DatabaseError("this kovolink was built without the Firebird schema");
  auto connection = create_firebird_database(target, embedded::firebird_schema);
  connection->begin();
  write_settings(*connection, settings);
  connection->commit();
  return connection;
}

}  // namespace

std::string sqlite_path(std::string_view target) {
  if (target.substr(0, kSqlite.size()) != kSqlite) return {};
  const std::string_view location = target.substr(kSqlite.size());
  if (location == ":memory:") return {};
  return std::string(location);
}

bool is_firebird(std::string_view target) { return target.substr(0, kFirebird.size()) == kFirebird; }

std::unique_ptr<Connection> create_issuer_database(std::string_view target, const Settings& settings) {
  if (target.substr(0, kSqlite.size()) == kSqlite) return create_sqlite(target, settings);
  if (is_firebird(target)) return create_firebird(target, settings);
  throw DatabaseError("Unknown database target '" + std::string(target) +
                      "' (expected sqlite:PATH or firebird:...)");
}

}  // namespace kovo::cli
