// What the demo prints after registering: the stored invoices read back
// from the database, with their items, instalments and coupon links.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

#include "sql/connection.h"

namespace kovo::cli {

// Prints the invoices `ids` as the database holds them. `target` tells the
// engine, whose syntax for "the k-th row" differs.
void print_stored(Connection& connection, std::string_view target, const std::vector<std::int32_t>& ids,
                  std::FILE* out);

}  // namespace kovo::cli
