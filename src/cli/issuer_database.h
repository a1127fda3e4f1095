// Creating a new issuer database with the reference schema and its one
// settings row, for `kovolink init` and the demo.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "sql/connection.h"

namespace kovo::cli {

struct Settings {
  std::int32_t contador = 1;  // the next invoice id
  std::string regime = "N";   // PARAMETROS_TIPOEMPRESA, Windows-1252; "S" is Simples Nacional
  double aliqsn = 0;          // percentages
  double aliqpis = 0;
  double aliqcofins = 0;
};

// Creates the database that `target` names (sqlite:PATH, firebird:...) with
// the reference schema and one PARAMETROS row holding `settings`, and
// returns it open. An existing database is never touched: an SQLite file
// that exists, or a Firebird database the engine finds, is refused with
// DatabaseError. On any failure nothing is left behind.
std::unique_ptr<Connection> create_issuer_database(std::string_view target, const Settings& settings);

// The file an "sqlite:PATH" target names; empty for other targets and for
// ":memory:".
std::string sqlite_path(std::string_view target);

bool is_firebird(std::string_view target);

}  // namespace kovo::cli
