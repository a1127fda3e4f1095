// Registers an invoice header: takes the id from the settings counter and
// advances it, puts the Simples Nacional remarks in place, resolves the
// customer and the carrier, writes the NOTAS row and, for a coupon sale,
// the coupon link.
#include <cstdint>
#include <string>
#include <string_view>

#include "interface/call_frame.h"
#include "invoice/header_remarks.h"
#include "invoice/notas_row.h"
#include "invoice/variant_integer.h"
#include "operations.h"
#include "settlement/cupom_insert.h"
#include "sql/database_error.h"
#include "sql/statement_runner.h"
#include "sql/value_reads.h"
#include "talpa_funcs/talpa_funcs.h"

namespace kovo {
namespace {

constexpr std::string_view kSelectSettings =
    "select parametros_ultimoidnota, parametros_tipoempresa, parametros_aliqsn from parametros";
constexpr std::string_view kAdvanceCounter =
    "update parametros set parametros_ultimoidnota = parametros_ultimoidnota+1";

void compose_customer_lookup(StatementRunner& runner, const NotasArgs& a) {
  runner.clear();
  std::string& line = runner.begin_line();
  line += "select clientes_id from clientes where clientes_cnpjcpf = ";
  append_quoted_text(line, a.cnpjcpf);
  line += " and clientes_ierg=";
  append_quoted_text(line, a.ierg);
  runner.end_line();
}

void compose_carrier_lookup(StatementRunner& runner, const NotasArgs& a) {
  runner.clear();
  std::string& line = runner.begin_line();
  line += "select transportadores_id from  transportadores where transportadores_cnpj = ";
  append_quoted_text(line, a.cnpjtransp);
  line += " and transportadores_rg=";
  append_quoted_text(line, a.rgtransp);
  runner.end_line();
}

// Whether the re-read counter holds `next`, whatever type the engine gives.
bool counter_reads(const Value& value, std::int64_t next) {
  switch (value.kind) {
    case Value::Kind::Integer:
      return value.integer == next;
    case Value::Kind::Float:
      return value.real == static_cast<double>(next);
    case Value::Kind::Text:
      try {
        return variant_to_integer(value) == next;
      } catch (const ConversionError&) {
        return false;
      }
    case Value::Kind::Null:
      break;
  }
  return false;
}

// Between the read of the counter and its increment another registration
// may have read the same value (autocommit, or a read-committed engine
// where it committed before our update). Its increment then shows in our
// re-read: the id is refused before anything carries it. Only the re-read
// that the registration makes anyway is used, so the statements stay as
// they are.
void check_counter_advanced_once(std::int32_t id, const Value& reread) {
  const std::int64_t next = std::int64_t{id} + 1;
  if (counter_reads(reread, next)) return;
  const std::string now = reread.is_null() ? "null" : read_string(reread);
  throw DatabaseError("Invoice id " + std::to_string(id) + " is not free: parametros_ultimoidnota reads " +
                      now + " after the increment, not " + std::to_string(next) +
                      " (another registration ran at the same time)");
}

// Everything of the call that can fail outside the database is tried
// before the counter is advanced, so that such a failure (a ConversionError)
// writes nothing: the date and time literals of the row, and the credit
// remark from the settings row as first read. The remark that the row
// carries is still made from the re-read settings row; both are the same
// unless another host changed the settings in between.
void try_conversions(const NotasArgs& a, StatementRunner& settings) {
  std::string scratch;  // a literal is short enough to need no allocation
  append_date_literal(scratch, a.dataemissao);
  scratch.clear();
  append_date_literal(scratch, a.datasaida);
  scratch.clear();
  append_time_literal(scratch, a.horasaida);
  if (settings.as_string("parametros_tipoempresa") == "S" && a.consumidorfinal != "0" &&
      a.basecreditoicms > 0) {
    (void)icms_credit_remark(settings.as_float("parametros_aliqsn"), a.basecreditoicms);
  }
}

std::int32_t register_header(Connection* conexao, const NotasArgs& a) {
  X87PrecisionGuard guard;
  HeaderValues row;
  row.obs6 = a.obs6;
  row.obs7 = a.obs7;
  std::string credit_remark;  // owns obs6 when the remark replaces it

  {
    StatementRunner lookups(conexao);
    lookups.clear();
    lookups.add(kSelectSettings);
    lookups.open();
    // Converted before anything is written: a null counter fails here.
    row.id = variant_to_integer(lookups.as_variant("parametros_ultimoidnota"));
    try_conversions(a, lookups);

    lookups.clear();
    lookups.add(kAdvanceCounter);
    lookups.execute();

    lookups.clear();
    lookups.add(kSelectSettings);
    lookups.open();
    check_counter_advanced_once(row.id, lookups.as_variant("parametros_ultimoidnota"));
    if (lookups.as_string("parametros_tipoempresa") == "S") {
      row.obs7 = kSimplesNacionalRemark;
      if (a.consumidorfinal != "0" && a.basecreditoicms > 0) {
        credit_remark = icms_credit_remark(lookups.as_float("parametros_aliqsn"), a.basecreditoicms);
        row.obs6 = credit_remark;
      }
    }

    compose_customer_lookup(lookups, a);
    lookups.open();
    row.customer = lookups.as_integer("CLIENTES_ID");

    if (!a.cnpjtransp.empty()) {
      compose_carrier_lookup(lookups, a);
      lookups.open();
      row.carrier = lookups.as_integer("transportadores_id");
    }
  }

  {
    StatementRunner insert(conexao);
    compose_notas_insert(insert, a, row);
    insert.execute();
  }

  if (a.coo > 0) {
    StatementRunner link(conexao);
    compose_cupom_insert(link, row.id, a.coo, 1);
    link.execute();
  }
  return row.id;
}

}  // namespace

std::int32_t incluir_notas(Connection* conexao, const NotasArgs& args) {
  return run_in_call_frame(kTagNotas, std::int32_t{-1},
                           [&] { return register_header(conexao, args); });
}

}  // namespace kovo
