// Files of the project built into the tool, so that an installed kovolink
// needs nothing beside it.
#pragma once

#include <string_view>

namespace kovo::cli::embedded {

extern const std::string_view sqlite_schema;      // schema/sqlite.sql
extern const std::string_view firebird_schema;    // schema/firebird.sql
extern const std::string_view example_notas;      // examples/notas-exemplo.json
extern const std::string_view example_cadastros;  // examples/cadastros-exemplo.sql

}  // namespace kovo::cli::embedded
