// The database parameter blocks the driver sends when it attaches to a
// database and when it creates one.
#pragma once

#include <string>

#include "drivers/firebird_target.h"

namespace kovo::firebird {

// User, password and role of the target, and the connection character set
// WIN1252. Throws DatabaseError for a value longer than 255 bytes.
std::string attach_parameters(const FirebirdTarget& target);

// The same, plus the new database's default character set WIN1252, SQL
// dialect 3 and whether its page writes are forced to disk.
std::string create_parameters(const FirebirdTarget& target, bool forced_writes);

}  // namespace kovo::firebird
