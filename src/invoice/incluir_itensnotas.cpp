// Registers one invoice item: resolves the product, completes PIS and
// COFINS from the settings rates, decides the Simples Nacional credit and
// writes the ITENSNOTAS row while both lookups stay open.
#include <string>
#include <string_view>

#include "interface/call_frame.h"
#include "invoice/itensnotas_row.h"
#include "operations.h"
#include "sql/statement_runner.h"
#include "talpa_funcs/talpa_funcs.h"

namespace kovo {
namespace {

constexpr std::string_view kSelectSettings =
    "SELECT PARAMETROS_ALIQPIS, PARAMETROS_ALIQCOFINS, PARAMETROS_TIPOEMPRESA, "
    "PARAMETROS_ALIQSN FROM PARAMETROS";

// A situation "01" with a zero base takes the item total less its discount
// as base, the settings rate, and that rate of the base rounded to cents.
struct Contribution {
  double base, rate, value;
};

bool needs_completion(std::string_view situation, double base) {
  return situation == "01" && base == 0;
}

// Rounds to double through memory: on x87 a double result may otherwise stay
// in an 80-bit register and be used unrounded by the next step.
double stored_as_double(Extended value) {
  volatile double stored = static_cast<double>(value);
  return stored;
}

Contribution complete(const ItensNotasArgs& a, double settings_rate) {
  Contribution c;
  c.base = stored_as_double(a.valortot - a.desconto);
  c.rate = settings_rate;
  c.value = stored_as_double(
      arredonda(static_cast<Extended>(c.rate) / 100 * static_cast<Extended>(c.base), 2));
  return c;
}

bool register_item(Connection* conexao, const ItensNotasArgs& a) {
  X87PrecisionGuard guard;
  ItemValues row;
  row.sittrib = a.sittrib == "0" ? std::string_view("00") : a.sittrib;
  row.basepis = a.basepis;
  row.aliqpis = a.aliqpis;
  row.valorpis = a.valorpis;
  row.basecofins = a.basecofins;
  row.aliqcofins = a.aliqcofins;
  row.valorcofins = a.valorcofins;

  StatementRunner product(conexao);
  product.clear();
  {
    std::string& line = product.begin_line();
    line += "SELECT PRODUTOS_ID FROM PRODUTOS WHERE PRODUTOS_REFVENDA = ";
    append_quoted_text(line, a.refvenda);
    product.end_line();
  }
  product.open();

  StatementRunner settings(conexao);
  settings.clear();
  settings.add(kSelectSettings);
  settings.open();

  if (needs_completion(a.sittribpis, a.basepis)) {
    const Contribution pis = complete(a, settings.as_float("PARAMETROS_ALIQPIS"));
    row.basepis = pis.base;
    row.aliqpis = pis.rate;
    row.valorpis = pis.value;
  }
  if (needs_completion(a.sittribcofins, a.basecofins)) {
    const Contribution cofins = complete(a, settings.as_float("PARAMETROS_ALIQCOFINS"));
    row.basecofins = cofins.base;
    row.aliqcofins = cofins.rate;
    row.valorcofins = cofins.value;
  }

  // The row is composed with both lookups still open: the product id and
  // the credit are read from them now.
  StatementRunner insert(conexao);
  row.product_id = product.as_integer("PRODUTOS_ID");
  if (settings.as_string("PARAMETROS_TIPOEMPRESA") == "S" && row.sittrib == "101") {
    row.sn_rate = settings.as_float("PARAMETROS_ALIQSN");
    // Multiplied first, divided after, kept extended and unrounded.
    row.sn_value = static_cast<Extended>(row.sn_rate) * static_cast<Extended>(a.valortot) / 100;
  }
  compose_itensnotas_insert(insert, a, row);
  insert.execute();
  return true;
}

}  // namespace

bool incluir_itensnotas(Connection* conexao, const ItensNotasArgs& args) {
  return run_in_call_frame(kTagQuorbis, false, [&] { return register_item(conexao, args); });
}

}  // namespace kovo
