// Runs a script of SQL statements, such as the schema files under schema/,
// one statement at a time on a connection.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "sql/connection.h"

namespace kovo {

// Splits a script into its statements, without their terminators. A
// statement ends at the terminator (";" at first) outside quoted texts,
// quoted names and comments. An isql "SET TERM new old" line, ended by the
// current terminator, changes the terminator and is not itself returned,
// so scripts may carry trigger and procedure bodies. Statements holding
// nothing but blanks and comments are dropped; a last statement without
// its terminator is kept. An unterminated quote or comment raises
// DatabaseError.
std::vector<std::string> split_statements(std::string_view script);

// Executes every statement of `script` in order. A failing statement raises
// DatabaseError "Statement N of the script failed: MESSAGE"; the statements
// before it have run.
void apply_schema(Connection& connection, std::string_view script);

// Reads `path` and applies it; a file that cannot be read raises
// DatabaseError naming it.
void apply_schema_file(Connection& connection, const std::filesystem::path& path);

}  // namespace kovo
