// The CUPOM_NFE insert, shared by the coupon link and the invoice header.
#pragma once

#include <cstdint>

#include "sql/statement_runner.h"

namespace kovo {

// Replaces the runner's statement with the link of invoice `idnota` to
// coupon `coo` of printer `idimpressora`.
void compose_cupom_insert(StatementRunner& runner, std::int32_t idnota, std::int32_t coo,
                          std::int32_t idimpressora);

}  // namespace kovo
