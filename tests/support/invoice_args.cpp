#include "invoice_args.h"

namespace kovo::test {

namespace {
constexpr const char* kCustomerCnpj = "11.111.111/0001-11";
constexpr const char* kCustomerIe = "ISENTO";
constexpr const char* kCarrierCnpj = "22.222.222/0001-22";
constexpr const char* kCarrierRg = "RG-9";
constexpr const char* kProductRef = "REF-1";
}  // namespace

double day_count(int year, int month, int day) {
  // Days from civil (proleptic Gregorian), shifted to the 1899-12-30 epoch.
  year -= month <= 2;
  const int era = (year >= 0 ? year : year - 399) / 400;
  const int yoe = year - era * 400;
  const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const long days_since_1970 = static_cast<long>(era) * 146097 + doe - 719468;
  return static_cast<double>(days_since_1970 + 25569);
}

double time_of_day(int hours, int minutes, int seconds) {
  return (hours * 3600 + minutes * 60 + seconds) / 86400.0;
}

NotasArgs header_args() {
  NotasArgs a;
  a.numero = 1001;
  a.modelo = "55";
  a.serie = "1";
  a.tipo = "S";
  a.lotegeracao = 1;
  a.tipolote = "N";
  a.dataemissao = day_count(2024, 3, 7);
  a.datasaida = day_count(2024, 3, 7);
  a.horasaida = time_of_day(9, 30, 0);
  a.idnatoper = 1;
  a.naturezaoperacao = "VENDA";
  a.formapagamento = "0";
  a.finalidade = "1";
  a.tipoemissao = "1";
  a.clifor = "C";
  a.cnpjcpf = kCustomerCnpj;
  a.ierg = kCustomerIe;
  a.totalprodutos = 100;
  a.totalnota = 100;
  a.tipofrete = "9";
  a.obs6 = "host obs6";
  a.obs7 = "host obs7";
  a.consumidorfinal = "1";
  a.movimenta_estoque = "S";
  a.idvendedor = 3;
  a.idnota_quorbis = 900;
  a.indpres = 1;
  return a;
}

ItensNotasArgs item_args(std::int32_t idnota) {
  ItensNotasArgs a;
  a.idnota = idnota;
  a.refvenda = kProductRef;
  a.descricaoproduto = "PARAFUSO";
  a.cfop = "5102";
  a.um = "UN";
  a.quantid = 2;
  a.valorunit = 50;
  a.valortot = 100;
  a.sittrib = "00";
  a.sittribipi = "53";
  a.sittribpis = "07";
  a.sittribcofins = "07";
  a.piscofins = "N";
  a.ipibcicms = "N";
  a.ipi_unitario = "0";
  return a;
}

Settings full_settings(std::int64_t counter) {
  return {.ultimoidnota = counter, .tipoempresa = "S", .aliqsn = 2.5, .aliqpis = 1.65, .aliqcofins = 7.6};
}

void seed_lookups(Connection& connection) {
  seed_customer(connection, kCustomerId, kCustomerCnpj, kCustomerIe);
  seed_carrier(connection, kCarrierId, kCarrierCnpj, kCarrierRg);
  seed_product(connection, kProductId, kProductRef);
}

NotasArgs full_header() {
  NotasArgs a = header_args();
  a.horasaida = time_of_day(18, 0, 0);
  a.tipofrete = "1";
  a.cnpjtransp = kCarrierCnpj;
  a.rgtransp = kCarrierRg;
  a.coo = kCoo;
  a.basecreditoicms = 1000;
  return a;
}

ItensNotasArgs full_item(std::int32_t idnota) {
  ItensNotasArgs a = item_args(idnota);
  a.desconto = 10;
  a.sittrib = "101";
  a.sittribpis = "01";
  a.sittribcofins = "01";
  return a;
}

ContasNotasArgs instalment(std::int32_t idnota, std::int32_t parcela) {
  return {idnota, parcela, day_count(2024, 3, 31), 150.5};
}

CupomArgs coupon(std::int32_t idnota) { return {idnota, kCoo, 1}; }

}  // namespace kovo::test
