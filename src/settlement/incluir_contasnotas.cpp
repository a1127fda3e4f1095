// Registers one instalment of an invoice.
#include "interface/call_frame.h"
#include "talpa_funcs/extended.h"
#include "operations.h"
#include "settlement/value_lines.h"
#include "sql/statement_runner.h"

namespace kovo {

bool incluir_contasnotas(Connection* conexao, const ContasNotasArgs& args) {
  return run_in_call_frame(kTagQuorbis, false, [&] {
    X87PrecisionGuard guard;
    StatementRunner insert(conexao);
    insert.clear();
    insert.add("INSERT INTO CONTASNOTAS");
    insert.add("(");
    insert.add("CONTASNOTAS_IDNOTA,");
    insert.add("CONTASNOTAS_PARCELA,");
    insert.add("CONTASNOTAS_DATAVC,");
    insert.add("CONTASNOTAS_VALOR)");
    insert.add("VALUES(");
    ValueLines values(insert);
    values.integer(args.idnota, ",");
    values.integer(args.parcela, ",");
    values.date(args.datavc, ",");
    values.amount(args.valor, "");
    values.finish();
    insert.add(")");
    insert.execute();
    return true;
  });
}

}  // namespace kovo
