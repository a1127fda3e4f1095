// Making a new Firebird database from a schema script (schema/firebird.sql),
// for the tests, the demo and the command-line tool.
#pragma once

#include <memory>
#include <string_view>

#include "sql/connection.h"

namespace kovo {

struct FirebirdCreateOptions {
  // Off: the engine leaves writing pages out to the operating system, so a
  // crash may lose or damage recent work. Only for throw-away databases,
  // such as the tests' (it spares them an fsync per commit).
  bool forced_writes = true;
};

// Creates the database that `target` ("firebird:...", see
// firebird_target.h) names, with default character set WIN1252 and SQL
// dialect 3, runs every statement of `schema_sql` on it, and returns the
// open connection. An existing database file is never overwritten: the
// engine refuses it. When a schema statement fails, the new database is
// dropped again and DatabaseError names the statement and carries the
// engine's message.
std::unique_ptr<Connection> create_firebird_database(std::string_view target, std::string_view schema_sql,
                                                     const FirebirdCreateOptions& options = {});

}  // namespace kovo
