// The ITENSNOTAS insert: 112 lines, one column or one value per line.
#pragma once

#include <cstdint>
#include <string_view>

#include "args.h"
#include "sql/statement_runner.h"
#include "talpa_funcs/extended.h"

namespace kovo {

// The values the item call derives or completes before writing the row.
struct ItemValues {
  std::int32_t product_id = 0;
  std::string_view sittrib;  // "0" already normalised to "00"
  double basepis = 0, aliqpis = 0, valorpis = 0;
  double basecofins = 0, aliqcofins = 0, valorcofins = 0;
  double sn_rate = 0;       // Simples Nacional credit rate, or 0
  Extended sn_value = 0;    // its credit value, unrounded, or 0
};

void compose_itensnotas_insert(StatementRunner& runner, const ItensNotasArgs& a,
                               const ItemValues& v);

}  // namespace kovo
