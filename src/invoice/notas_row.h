// The NOTAS insert: 175 lines, one column or one value per line.
#pragma once

#include <cstdint>
#include <string_view>

#include "args.h"
#include "sql/statement_runner.h"

namespace kovo {

// What the header call derived before writing the row.
struct HeaderValues {
  std::int32_t id = 0;        // the counter as read
  std::int32_t customer = 0;  // 0 when not found
  std::int32_t carrier = 0;   // 0 when not looked up or not found
  std::string_view obs6;      // the host's, or the ICMS credit remark
  std::string_view obs7;      // the host's, or the Simples Nacional remark
};

void compose_notas_insert(StatementRunner& runner, const NotasArgs& a, const HeaderValues& v);

}  // namespace kovo
