#include "drivers/firebird_database.h"

#include <string>

#include "drivers/firebird_api.h"
#include "drivers/firebird_connection.h"
#include "drivers/firebird_dpb.h"
#include "drivers/firebird_target.h"
#include "sql/database_error.h"
#include "sql/schema_loader.h"

namespace kovo {

std::unique_ptr<Connection> create_firebird_database(std::string_view target, std::string_view schema_sql,
                                                     const FirebirdCreateOptions& options) {
  constexpr std::string_view kScheme = "firebird:";
  if (target.substr(0, kScheme.size()) != kScheme) {
    throw DatabaseError("Not a Firebird target: '" + std::string(target) + "'");
  }
  FirebirdTarget where = parse_firebird_target(target.substr(kScheme.size()));
  // Split first: a malformed script must not leave a half-made database.
  const std::vector<std::string> statements = split_statements(schema_sql);

  auto api = firebird::load_api();
  const std::string dpb = firebird::create_parameters(where, options.forced_writes);
  firebird::StatusVector status{};
  firebird::Handle db = 0;
  api->create_database(status, 0, where.database.c_str(), &db, static_cast<unsigned short>(dpb.size()),
                       dpb.data(), 0);
  firebird::check(*api, status);

  auto connection = std::make_unique<FirebirdConnection>(api, std::move(where), db);
  for (std::size_t n = 0; n < statements.size(); ++n) {
    try {
      connection->execute(statements[n]);
    } catch (const DatabaseError& error) {
      try {
        connection->drop_database();
      } catch (const DatabaseError&) {
        // The schema's error is the one to report.
      }
      throw DatabaseError("Statement " + std::to_string(n + 1) + " of the schema failed: " + error.what());
    }
  }
  return connection;
}

}  // namespace kovo
