// Links an invoice to a fiscal-printer coupon.
#include "interface/call_frame.h"
#include "talpa_funcs/extended.h"
#include "operations.h"
#include "settlement/cupom_insert.h"
#include "sql/statement_runner.h"

namespace kovo {

bool incluir_cupom(Connection* conexao, const CupomArgs& args) {
  return run_in_call_frame(kTagQuorbis, false, [&] {
    X87PrecisionGuard guard;
    StatementRunner insert(conexao);
    compose_cupom_insert(insert, args.idnota, args.coo, args.idimpressora);
    insert.execute();
    return true;
  });
}

}  // namespace kovo
