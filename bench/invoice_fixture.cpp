#include "invoice_fixture.h"

#include <stdexcept>
#include <string_view>

#include "operations.h"

namespace kovo::bench {
namespace {

constexpr double kIssueDay = 45358;  // 7 March 2024

struct SaleLine {
  std::string_view ref;
  std::string_view description;
  std::string_view unit;
  double quantity;
  double unit_price;
  std::string_view sittrib;     // "101" earns the Simples Nacional credit
  std::string_view pis_cofins;  // "01" with a zero base is completed
};

constexpr SaleLine kItems[] = {
    {"PRD-0007", "PARAFUSO SEXTAVADO ACO INOX M8X40", "UN", 120, 0.4875, "101", "01"},
    {"PRD-0019", "PORCA SEXTAVADA M8 ZINCADA", "UN", 120, 0.1290, "101", "01"},
    {"PRD-0023", "ARRUELA LISA 8MM", "UN", 240, 0.0625, "102", "07"},
    {"PRD-0042", "CHAVE COMBINADA 13MM CROMO VANADIO", "PC", 2, 38.9, "101", "01"},
    {"PRD-0057", "FITA VEDA ROSCA 18MM X 50M", "RL", 6, 7.35, "500", "49"},
    {"PRD-0061", "TUBO PVC SOLDAVEL 25MM 6M", "BR", 4, 27.614, "101", "01"},
    {"PRD-0078", "COLA PVC 175G", "FR", 3, 16.8333, "102", "07"},
    {"PRD-0093", "LUVA DE RASPA CANO CURTO", "PR", 5, 12.49, "101", "01"},
    {"PRD-0105", "DISCO DE CORTE 7 POL. PARA ACO", "UN", 10, 9.789, "102", "06"},
    {"PRD-0118", "OLEO LUBRIFICANTE MULTIUSO 300ML", "UN", 8, 14.123456, "101", "01"},
};

Invoice make_invoice() {
  Invoice inv;
  NotasArgs& h = inv.header;
  h.numero = 104733;
  h.modelo = "55";
  h.serie = "1";
  h.subserie = "";
  h.tipo = "S";
  h.lotegeracao = 2291;
  h.tipolote = "N";
  h.dataemissao = kIssueDay + 0.4312;
  h.datasaida = kIssueDay;
  h.horasaida = kIssueDay + 0.6151736;
  h.idnatoper = 5;
  h.naturezaoperacao = "VENDA DE MERCADORIA ADQUIRIDA DE TERCEIROS";
  h.formapagamento = "1";
  h.finalidade = "1";
  h.tipoemissao = "1";
  h.clifor = "C";
  h.cnpjcpf = "12.345.678/0001-95";
  h.ierg = "110.042.490.114";
  h.obsadicionais =
      "PEDIDO 88213 - ENTREGA NO DEPOSITO DOS FUNDOS, HORARIO COMERCIAL. "
      "CONFERIR VOLUMES NO ATO DO RECEBIMENTO. D'AVILA MATERIAIS";
  h.baseicms = 0;
  h.valoricms = 0;
  h.totalprodutos = 0;  // summed below
  h.totalfrete = 35.5;
  h.valorseguro = 0;
  h.valordesconto = 12.37;
  h.valoripi = 0;
  h.outrasdesps = 0;
  h.tipofrete = "0";
  h.cnpjtransp = "98.765.432/0001-10";
  h.rgtransp = "ISENTO";
  h.placaveiculo = "ABC1D23";
  h.ufveiculo = "SP";
  h.antt = "123456789";
  h.qtdevolumes = 7;
  h.especie = "CAIXA";
  h.marca = "TALPA";
  h.numeracao = "1 A 7";
  h.pesoliq = 48.375;
  h.pesobruto = 52.1;
  h.obs1 = "DOCUMENTO EMITIDO POR ME OU EPP OPTANTE PELO SIMPLES NACIONAL";
  h.obs2 = "NAO GERA DIREITO A CREDITO FISCAL DE IPI";
  h.obs3 = "";
  h.obs4 = "VENDEDOR: MARIA";
  h.obs5 = "";
  h.obs6 = "";
  h.obs7 = "";
  h.consumidorfinal = "1";
  h.localembarque = "";
  h.estadolocalemb = "";
  h.movimenta_estoque = "S";
  h.idvendedor = 12;
  h.coo = 0;  // the coupon is linked by its own call
  h.idnota_quorbis = 77120;
  h.indpres = 1;

  double total = 0;
  for (const SaleLine& line : kItems) {
    ItensNotasArgs it;
    it.refvenda = line.ref;
    it.descricaoproduto = line.description;
    it.cfop = "5102";
    it.um = line.unit;
    it.quantid = line.quantity;
    it.valorunit = line.unit_price;
    it.valortot = line.quantity * line.unit_price;
    it.sittrib = line.sittrib;
    it.sittribipi = "53";
    it.sittribpis = line.pis_cofins;
    it.sittribcofins = line.pis_cofins;
    it.precocusto = line.unit_price * 0.61;
    it.desconto = it.valortot > 100 ? 1.25 : 0;
    it.piscofins = "N";
    it.ipibcicms = "N";
    it.ipi_unitario = "0";
    it.infadicionais = line.sittrib == "101" ? "ITEM COM CREDITO DE ICMS" : "";
    it.num_pedido_compra = "PC-88213";
    it.item_pedido_compra = static_cast<std::int32_t>(inv.items.size() + 1);
    total += it.valortot;
    inv.items.push_back(it);
  }
  h.totalprodutos = total;
  h.totalnota = total + h.totalfrete - h.valordesconto;
  h.basecreditoicms = total;

  const double half = h.totalnota / 2;
  inv.instalments.push_back({0, 1, kIssueDay + 30, half});
  inv.instalments.push_back({0, 2, kIssueDay + 60, h.totalnota - half});
  inv.coupon = {0, 4417, 2};
  return inv;
}

}  // namespace

const Invoice& sample_invoice() {
  static const Invoice invoice = make_invoice();
  return invoice;
}

std::int32_t register_invoice(Connection& connection, const Invoice& invoice) {
  const std::int32_t id = incluir_notas(&connection, invoice.header);
  if (id < 0) throw std::runtime_error("incluir_notas failed");
  for (ItensNotasArgs item : invoice.items) {
    item.idnota = id;
    if (!incluir_itensnotas(&connection, item)) throw std::runtime_error("incluir_itensnotas failed");
  }
  for (ContasNotasArgs instalment : invoice.instalments) {
    instalment.idnota = id;
    if (!incluir_contasnotas(&connection, instalment)) throw std::runtime_error("incluir_contasnotas failed");
  }
  CupomArgs coupon = invoice.coupon;
  coupon.idnota = id;
  if (!incluir_cupom(&connection, coupon)) throw std::runtime_error("incluir_cupom failed");
  return id;
}

int registrations_per_invoice(const Invoice& invoice) {
  return 2 + static_cast<int>(invoice.items.size() + invoice.instalments.size());
}

std::vector<std::string> seed_statements() {
  std::vector<std::string> sql;
  sql.push_back(
      "UPDATE PARAMETROS SET PARAMETROS_ULTIMOIDNOTA = " + std::to_string(kFirstInvoiceId) +
      ", PARAMETROS_TIPOEMPRESA = 'S', PARAMETROS_ALIQSN = 2.56, PARAMETROS_ALIQPIS = 0.65, "
      "PARAMETROS_ALIQCOFINS = 3");
  // The sale's customer, carrier and products sit among others, so that the
  // lookups search tables of a plausible size.
  for (int i = 1; i <= 60; ++i) {
    const std::string cnpj = i == 37 ? "12.345.678/0001-95" : "00.000.000/0001-" + std::to_string(10 + i);
    const std::string ie = i == 37 ? "110.042.490.114" : "ISENTO";
    sql.push_back("INSERT INTO CLIENTES (CLIENTES_ID, CLIENTES_CNPJCPF, CLIENTES_IERG) VALUES (" +
                  std::to_string(i) + ", '" + cnpj + "', '" + ie + "')");
  }
  for (int i = 1; i <= 8; ++i) {
    const std::string cnpj = i == 3 ? "98.765.432/0001-10" : "11.111.111/0001-" + std::to_string(10 + i);
    sql.push_back("INSERT INTO TRANSPORTADORES (TRANSPORTADORES_ID, TRANSPORTADORES_CNPJ, TRANSPORTADORES_RG) VALUES (" +
                  std::to_string(i) + ", '" + cnpj + "', 'ISENTO')");
  }
  for (int i = 1; i <= 150; ++i) {
    std::string ref = std::to_string(i);
    ref = "PRD-" + std::string(4 - ref.size(), '0') + ref;
    sql.push_back("INSERT INTO PRODUTOS (PRODUTOS_ID, PRODUTOS_REFVENDA) VALUES (" + std::to_string(i) +
                  ", '" + ref + "')");
  }
  return sql;
}

std::vector<std::string> reset_statements() {
  return {
      "DELETE FROM ITENSNOTAS",
      "DELETE FROM CONTASNOTAS",
      "DELETE FROM CUPOM_NFE",
      "DELETE FROM NOTAS",
      "UPDATE PARAMETROS SET PARAMETROS_ULTIMOIDNOTA = " + std::to_string(kFirstInvoiceId),
  };
}

}  // namespace kovo::bench
