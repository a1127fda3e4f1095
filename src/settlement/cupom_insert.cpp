#include "settlement/cupom_insert.h"

#include "settlement/value_lines.h"

namespace kovo {

void compose_cupom_insert(StatementRunner& runner, std::int32_t idnota, std::int32_t coo,
                          std::int32_t idimpressora) {
  runner.clear();
  runner.add("INSERT INTO CUPOM_NFE (");
  runner.add("CUPOM_NFE_IDNOTA,");
  runner.add("CUPOM_NFE_COO,");
  runner.add("CUPOM_NFE_IDIMPRESSORA)");
  runner.add("VALUES(");
  ValueLines values(runner);
  values.integer(idnota, ", ");
  values.integer(coo, ", ");
  values.integer(idimpressora, ")");
  values.finish();
}

}  // namespace kovo
