#include "statement_fixture.h"

#include "invoice/header_remarks.h"
#include "invoice_fixture.h"

namespace kovo::bench {

HeaderValues sample_header_values(std::int32_t id) {
  static const std::string credit = icms_credit_remark(2.56, sample_invoice().header.basecreditoicms);
  HeaderValues v;
  v.id = id;
  v.customer = 37;
  v.carrier = 3;
  v.obs6 = credit;
  v.obs7 = kSimplesNacionalRemark;
  return v;
}

ItemValues sample_item_values() {
  const ItensNotasArgs& a = sample_invoice().items.front();
  ItemValues v;
  v.product_id = 7;
  v.sittrib = a.sittrib;
  v.basepis = a.valortot - a.desconto;
  v.aliqpis = 0.65;
  v.valorpis = 0.37;
  v.basecofins = v.basepis;
  v.aliqcofins = 3;
  v.valorcofins = 1.72;
  v.sn_rate = 2.56;
  v.sn_value = static_cast<Extended>(2.56) * static_cast<Extended>(a.valortot) / 100;
  return v;
}

std::string notas_statement(std::int32_t id) {
  StatementRunner runner(nullptr);
  compose_notas_insert(runner, sample_invoice().header, sample_header_values(id));
  return runner.text();
}

std::string itensnotas_statement(std::int32_t idnota) {
  ItensNotasArgs a = sample_invoice().items.front();
  a.idnota = idnota;
  StatementRunner runner(nullptr);
  compose_itensnotas_insert(runner, a, sample_item_values());
  return runner.text();
}

}  // namespace kovo::bench
