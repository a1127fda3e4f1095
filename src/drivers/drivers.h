// The engines open_connection dispatches to. Each takes the target text
// after its scheme ("sqlite:" or "firebird:") and throws DatabaseError when
// its client library is missing or the target names nothing it can open.
#pragma once

#include <memory>
#include <string_view>

#include "sql/connection.h"

namespace kovo {

// "PATH" (created when missing) or ":memory:".
std::unique_ptr<Connection> open_sqlite(std::string_view location, const OpenOptions& options);

// "PATH" (embedded engine), "HOST:PATH" or "//HOST[:PORT]/PATH", with
// optional "?user=..&password=..&role=.." (see firebird_target.h).
std::unique_ptr<Connection> open_firebird(std::string_view location, const OpenOptions& options);

}  // namespace kovo
