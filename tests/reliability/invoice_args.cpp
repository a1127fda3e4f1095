#include "invoice_args.h"

namespace kovo::test {

Settings full_settings(std::int64_t counter) {
  return {.ultimoidnota = counter, .tipoempresa = "S", .aliqsn = 2.5, .aliqpis = 1.65, .aliqcofins = 7.6};
}

void seed_lookups(Connection& connection) {
  seed_customer(connection, kCustomerId, "11.111.111/0001-11", "ISENTO");
  seed_carrier(connection, kCarrierId, "22.222.222/0001-22", "RG-9");
  seed_product(connection, kProductId, "REF-1");
}

NotasArgs full_header() {
  NotasArgs a;
  a.numero = 1001;
  a.modelo = "55";
  a.serie = "1";
  a.tipo = "S";
  a.lotegeracao = 1;
  a.tipolote = "N";
  a.dataemissao = 45358;  // 7 March 2024
  a.datasaida = 45358;
  a.horasaida = 0.75;
  a.idnatoper = 1;
  a.naturezaoperacao = "VENDA";
  a.formapagamento = "0";
  a.finalidade = "1";
  a.tipoemissao = "1";
  a.clifor = "C";
  a.cnpjcpf = "11.111.111/0001-11";
  a.ierg = "ISENTO";
  a.totalprodutos = 100;
  a.totalnota = 100;
  a.tipofrete = "1";
  a.cnpjtransp = "22.222.222/0001-22";
  a.rgtransp = "RG-9";
  a.obs6 = "host obs6";
  a.obs7 = "host obs7";
  a.consumidorfinal = "1";
  a.movimenta_estoque = "S";
  a.idvendedor = 3;
  a.coo = kCoo;
  a.idnota_quorbis = 900;
  a.indpres = 1;
  a.basecreditoicms = 1000;
  return a;
}

ItensNotasArgs full_item(std::int32_t idnota) {
  ItensNotasArgs a;
  a.idnota = idnota;
  a.refvenda = "REF-1";
  a.descricaoproduto = "PARAFUSO";
  a.cfop = "5102";
  a.um = "UN";
  a.quantid = 2;
  a.valorunit = 50;
  a.valortot = 100;
  a.desconto = 10;
  a.sittrib = "101";
  a.sittribipi = "53";
  a.sittribpis = "01";
  a.sittribcofins = "01";
  a.piscofins = "N";
  a.ipibcicms = "N";
  a.ipi_unitario = "0";
  return a;
}

ContasNotasArgs instalment(std::int32_t idnota, std::int32_t parcela) {
  return {idnota, parcela, 45382, 150.5};
}

CupomArgs coupon(std::int32_t idnota) { return {idnota, kCoo, 1}; }

}  // namespace kovo::test
