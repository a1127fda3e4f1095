// Firebird column values as the driver hands them over:
//   SMALLINT, INTEGER, BIGINT (scale 0)  Integer
//   NUMERIC, DECIMAL (scaled)            Float: the double nearest to the
//                                        stored decimal (12345 at scale -4 is
//                                        the double of "1.2345", not
//                                        12345 * 0.0001)
//   FLOAT, DOUBLE PRECISION              Float
//   BOOLEAN                              Integer 1 or 0
//   CHAR, VARCHAR, BLOB                  Text: the bytes as the engine sends
//                                        them (CHAR keeps its padding)
//   DATE                                 Text "YYYY-MM-DD"
//   TIME                                 Text "HH:MM:SS.ffff"
//   TIMESTAMP                            Text "YYYY-MM-DD HH:MM:SS.ffff"
//   NULL                                 Null
// The date and time texts are those of the engine's own CAST to VARCHAR:
// fixed width, ten-thousandths of a second (the engine's precision).
#pragma once

#include <cstdint>
#include <string>

#include "drivers/firebird_api.h"
#include "sql/value.h"

namespace kovo::firebird {

std::string date_text(std::int32_t days_since_1858_11_17);
std::string time_text(std::uint32_t ten_thousandths);

// `scaled` at a decimal scale (-2 means hundredths) as the nearest double.
double scaled_to_double(std::int64_t scaled, int scale);

// The value of a fetched column that is not a blob. Throws DatabaseError
// for a type the driver does not read.
Value column_value(const SqlVar& var);

}  // namespace kovo::firebird
