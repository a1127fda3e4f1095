// The exact texts of the statements each operation sends, for one rich
// set of arguments per operation, as recorded in front of a real database.
#include <string>
#include <vector>

#include "fixtures.h"
#include "operations.h"

namespace kovo::test {
namespace {

// The statement text: every line followed by CR LF.
std::string statement(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

class StatementText : public EngineTest {};
KOVO_ON_EVERY_ENGINE(StatementText);

TEST_P(StatementText, Header) {
  seed_settings(db(), {.ultimoidnota = 41, .tipoempresa = "S", .aliqsn = 2.5});
  seed_customer(db(), 77, "12.345.678/0001-90", "110.042.490.114");
  seed_carrier(db(), 5, "22.222.222/0001-22", "RG5");
  NotasArgs a;
  a.numero = 1234;
  a.modelo = "55";
  a.serie = "1";
  a.subserie = "";
  a.tipo = "S";
  a.lotegeracao = 7;
  a.tipolote = "N";
  a.dataemissao = day_count(2024, 3, 7) + 0.75;  // the time is dropped
  a.datasaida = day_count(2024, 3, 8);
  a.horasaida = day_count(2024, 3, 8) + time_of_day(14, 42, 5);  // the date is dropped
  a.idnatoper = 3;
  a.naturezaoperacao = "VENDA DE MERCADORIA";
  a.formapagamento = "0";
  a.finalidade = "1";
  a.tipoemissao = "1";
  a.clifor = "C";
  a.cnpjcpf = "12.345.678/0001-90";
  a.ierg = "110.042.490.114";
  a.obsadicionais = "PEDIDO 'A-17'";
  a.baseicms = 1000;
  a.valoricms = 180;
  a.valoricmsst = -0.0;
  a.totalprodutos = 1234.5;
  a.totalfrete = 15.75;
  a.valorseguro = 0.1 + 0.2;
  a.valordesconto = -0.05;
  a.valoripi = 1.0 / 3;
  a.valorpis = 20.37;
  a.valorcofins = 93.82;
  a.outrasdesps = 0.00005;
  a.totalnota = 1240.25;
  a.tipofrete = "1";
  a.cnpjtransp = "22.222.222/0001-22";
  a.rgtransp = "RG5";
  a.placaveiculo = "ABC1D23";
  a.ufveiculo = "SP";
  a.antt = "ANTT-9";
  a.qtdevolumes = 3;
  a.especie = "CAIXA";
  a.marca = "KOVO";
  a.numeracao = "1 A 3";
  a.pesoliq = 12.5;
  a.pesobruto = 13.25;
  a.obs1 = "OBS 1";
  a.obs5 = "O'5";
  a.obs6 = "replaced by the credit remark";
  a.obs7 = "replaced by the regime remark";
  a.consumidorfinal = "1";
  a.movimenta_estoque = "S";
  a.basepis = 1234.5;
  a.basecofins = 1234.5;
  a.idvendedor = 12;
  a.coo = 4512;
  a.idnota_quorbis = 98765;
  a.indpres = 1;
  a.basecreditoicms = 1000;

  ASSERT_EQ(incluir_notas(&recorder(), a), 41);

  const std::string settings =
      "select parametros_ultimoidnota, parametros_tipoempresa, parametros_aliqsn from "
      "parametros\r\n";
  const std::vector<std::string> expected = {
      settings,
      "update parametros set parametros_ultimoidnota = parametros_ultimoidnota+1\r\n",
      settings,
      "select clientes_id from clientes where clientes_cnpjcpf = '12.345.678/0001-90' and "
      "clientes_ierg='110.042.490.114'\r\n",
      "select transportadores_id from  transportadores where transportadores_cnpj = "
      "'22.222.222/0001-22' and transportadores_rg='RG5'\r\n",
      statement({
          "INSERT INTO NOTAS",
          "(NOTAS_ID,",
          "NOTAS_NUMERO,",
          "NOTAS_MODELO,",
          "NOTAS_SERIE,",
          "NOTAS_SUBSERIE,",
          "NOTAS_TIPO,",
          "NOTAS_LOTEGERACAO,",
          "NOTAS_TIPOLOTE,",
          "NOTAS_DATAEMISSAO,",
          "NOTAS_DATASAIDA,",
          "NOTAS_HORASAIDA,",
          "NOTAS_IDNATOPER,",
          "NOTAS_NATUREZAOPERACAO,",
          "NOTAS_FORMAPAGAMENTO,",
          "NOTAS_FINALIDADE,",
          "NOTAS_TIPOEMISSAO,",
          "NOTAS_CLIFOR,",
          "NOTAS_IDCLI_FOR,",
          "NOTAS_OBSADICIONAIS,",
          "NOTAS_BASEICMS,",
          "NOTAS_VALORICMS,",
          "NOTAS_BASEICMSST,",
          "NOTAS_VALORICMSST,",
          "NOTAS_TOTALPRODUTOS,",
          "NOTAS_TOTALSERVICOS,",
          "NOTAS_TOTALFRETE,",
          "NOTAS_VALORSEGURO,",
          "NOTAS_VALORDESCONTO,",
          "NOTAS_VRIMPORTACAO,",
          "NOTAS_VALORIPI,",
          "NOTAS_VALORPIS,",
          "NOTAS_VALORCOFINS,",
          "NOTAS_OUTRASDESPS,",
          "NOTAS_TOTALNOTA,",
          "NOTAS_BASEISSQN,",
          "NOTAS_VALORISSQN,",
          "NOTAS_PISSOBRESERV,",
          "NOTAS_RETIDOPIS,",
          "NOTAS_RETIDOCOFINS,",
          "NOTAS_VALORCSLL,",
          "NOTAS_BASEIRRF,",
          "NOTAS_VALORIRRF,",
          "NOTAS_BASEPREVID,",
          "NOTAS_VALORPREVID,",
          "NOTAS_TIPOFRETE,",
          "NOTAS_IDTRANSP,",
          "NOTAS_STATUS,",
          "NOTAS_PLACAVEICULO,",
          "NOTAS_UFVEICULO,",
          "NOTAS_ANTT,",
          "NOTAS_PLACAREB1,",
          "NOTAS_UFREB1,",
          "NOTAS_ANTTREB1,",
          "NOTAS_PLACAREB2,",
          "NOTAS_UFREB2,",
          "NOTAS_ANTTREB2,",
          "NOTAS_QTDEVOLUMES,",
          "NOTAS_ESPECIE,",
          "NOTAS_MARCA,",
          "NOTAS_NUMERACAO,",
          "NOTAS_PESOLIQ,",
          "NOTAS_PESOBRUTO,",
          "NOTAS_OBS1,",
          "NOTAS_OBS2,",
          "NOTAS_OBS3,",
          "NOTAS_OBS4,",
          "NOTAS_OBS5,",
          "NOTAS_OBS6,",
          "NOTAS_OBS7,",
          "NOTAS_CONSUMIDORFINAL,",
          "NOTAS_LOCALEMBARQUE,",
          "NOTAS_ESTADOLOCALEMB,",
          "NOTAS_BASE_PIS_ST,",
          "NOTAS_VALOR_PIS_ST,",
          "NOTAS_BASE_COFINS_ST,",
          "NOTAS_VALOR_COFINS_ST,",
          "NOTAS_MOVIMENTA_ESTOQUE,",
          "NOTAS_BASEPIS,",
          "NOTAS_BASECOFINS,",
          "NOTAS_EH_SPED,",
          "NOTAS_SITUACAO_DOCUMENTO,",
          "NOTAS_OBRIG_TRIBUTARIA,",
          "NOTAS_EH_IMPORTADA,",
          "NOTAS_IDVENDEDOR,",
          "NOTAS_IDNOTA_QUORBIS,",
          "NOTAS_INDPRES)",
          "VALUES(",
          "41,",
          "1234,",
          "'55',",
          "'1',",
          "'',",
          "'S',",
          "7,",
          "'N',",
          "'03/07/2024',",
          "'03/08/2024',",
          "'14:42:05',",
          "3,",
          "'VENDA DE MERCADORIA',",
          "'0',",
          "'1',",
          "'1',",
          "'C',",
          "77,",
          "'PEDIDO ''A-17''',",
          "1000,",
          "180,",
          "0,",
          "0,",
          "1234.5,",
          "0,",
          "15.75,",
          "0.3,",
          "-0.05,",
          "0,",
          "0.333333333333333,",
          "20.37,",
          "93.82,",
          "5E-5,",
          "1240.25,",
          "0,",
          "0,",
          "0,",
          "0,",
          "0,",
          "0,",
          "0,",
          "0,",
          "0,",
          "0,",
          "'1',",
          "5,",
          "'A',",
          "'ABC1D23',",
          "'SP',",
          "'ANTT-9',",
          "'',",
          "'',",
          "'',",
          "'',",
          "'',",
          "'',",
          "3,",
          "'CAIXA',",
          "'KOVO',",
          "'1 A 3',",
          "12.5,",
          "13.25,",
          "'OBS 1',",
          "'',",
          "'',",
          "'',",
          "'O''5',",
          "'PERMITE APROVEITAMENTO DE CR\xC9" "DITO DE ICMS NO VALOR DE R$ 25,00',",
          "'DOCUMENTO EMITIDO POR ME OU EPP OPTANTE PELO SIMPLES NACIONAL N\xC3O GERA CR\xC9" "DITO FISCAL DE IPI',",
          "'1',",
          "'',",
          "'',",
          "0,",
          "0,",
          "0,",
          "0,",
          "'S',",
          "1234.5,",
          "1234.5,",
          "'N',",
          "0,",
          "'2',",
          "'N',",
          "12,",
          "98765,",
          "1",
          ")",
      }),
      statement({
          "INSERT INTO CUPOM_NFE (",
          "CUPOM_NFE_IDNOTA,",
          "CUPOM_NFE_COO,",
          "CUPOM_NFE_IDIMPRESSORA)",
          "VALUES(",
          "41, ",
          "4512, ",
          "1)",
      }),
  };
  EXPECT_EQ(recorder().texts(), expected);
  using Kind = RecordedStatement::Kind;
  const Kind kinds[] = {Kind::Query, Kind::Execute, Kind::Query, Kind::Query,
                        Kind::Query, Kind::Execute, Kind::Execute};
  ASSERT_EQ(recorder().statements().size(), std::size(kinds));
  for (std::size_t i = 0; i < std::size(kinds); ++i) {
    EXPECT_EQ(recorder().statements()[i].kind, kinds[i]) << "statement " << i;
  }
}

TEST_P(StatementText, Item) {
  seed_settings(db(), {.tipoempresa = "S", .aliqsn = 1.25, .aliqpis = 1.65, .aliqcofins = 3});
  seed_product(db(), 9, "REF'01");
  ItensNotasArgs a;
  a.idnota = 41;
  a.refvenda = "REF'01";
  a.descricaoproduto = "CAIXA D'AGUA 500L";
  a.cfop = "5102";
  a.um = "UN";
  a.quantid = 3;
  a.valorunit = 11.11;
  a.valortot = 33.33;
  a.sittrib = "101";
  a.sittribipi = "99";
  a.valorbaseipi = 33.33;
  a.aliqipi = 5;
  a.valoripi = 1.67;
  a.sittribpis = "01";  // completed: base 0
  a.sittribcofins = "01";  // not completed: a base is given
  a.basecofins = 33.33;
  a.aliqcofins = 7.6;
  a.valorcofins = 2.53;
  a.infadicionais = "LOTE 7";
  a.precocusto = 8.5;
  a.piscofins = "S";
  a.frete = 1.25;
  a.outras = 0.5;
  a.ipibcicms = "N";
  a.aliqsn = 9;
  a.valorsn = 9;
  a.ipi_unitario = "0012";
  a.tanque_desc = -1;
  a.num_pedido_compra = "PC-77";
  a.item_pedido_compra = 3;

  ASSERT_TRUE(incluir_itensnotas(&recorder(), a));

  const std::vector<std::string> expected = {
      "SELECT PRODUTOS_ID FROM PRODUTOS WHERE PRODUTOS_REFVENDA = 'REF''01'\r\n",
      "SELECT PARAMETROS_ALIQPIS, PARAMETROS_ALIQCOFINS, PARAMETROS_TIPOEMPRESA, "
      "PARAMETROS_ALIQSN FROM PARAMETROS\r\n",
      statement({
          "INSERT INTO ITENSNOTAS",
          "(",
          "ITENSNOTAS_IDNOTA,",
          "ITENSNOTAS_IDPRODUTO,",
          "ITENSNOTAS_DESCRICAOPRODUTO,",
          "ITENSNOTAS_CFOP,",
          "ITENSNOTAS_UM,",
          "ITENSNOTAS_QUANTID,",
          "ITENSNOTAS_VALORUNIT,",
          "ITENSNOTAS_VALORTOT,",
          "ITENSNOTAS_SITTRIB,",
          "ITENSNOTAS_VALORBASE,",
          "ITENSNOTAS_ALIQICMS,",
          "ITENSNOTAS_VALORICMS,",
          "ITENSNOTAS_PERCENTRED,",
          "ITENSNOTAS_VALORBASEST,",
          "ITENSNOTAS_ALIQST,",
          "ITENSNOTAS_VALORICMSST,",
          "ITENSNOTAS_SITTRIBIPI,",
          "ITENSNOTAS_VALORBASEIPI,",
          "ITENSNOTAS_ALIQIPI,",
          "ITENSNOTAS_VALORIPI,",
          "ITENSNOTAS_SITTRIBPIS,",
          "ITENSNOTAS_BASEPIS,",
          "ITENSNOTAS_ALIQPIS,",
          "ITENSNOTAS_VALORPIS,",
          "ITENSNOTAS_SITTRIBCOFINS,",
          "ITENSNOTAS_BASECOFINS,",
          "ITENSNOTAS_ALIQCOFINS,",
          "ITENSNOTAS_VALORCOFINS,",
          "ITENSNOTAS_INFADICIONAIS,",
          "ITENSNOTAS_PRECOCUSTO,",
          "ITENSNOTAS_DESCONTO,",
          "ITENSNOTAS_PISCOFINS,",
          "ITENSNOTAS_FRETE,",
          "ITENSNOTAS_SEGURO,",
          "ITENSNOTAS_OUTRAS,",
          "ITENSNOTAS_IPIBCICMS,",
          "ITENSNOTAS_ALIQSN,",
          "ITENSNOTAS_VALORSN,",
          "ITENSNOTAS_ALIQISSQN,",
          "ITENSNOTAS_VALORISSQN,",
          "ITENSNOTAS_IPI_UNITARIO,",
          "ITENSNOTAS_QUANT_SELO,",
          "ITENSNOTAS_CNPJ_PRODUTOR,",
          "ITENSNOTAS_VALOR_PIS_ST,",
          "ITENSNOTAS_VALOR_COFINS_ST,",
          "ITENSNOTAS_BASE_PIS_ST,",
          "ITENSNOTAS_BASE_COFINS_ST,",
          "ITENSNOTAS_ALIQ_PIS_ST,",
          "ITENSNOTAS_ALIQ_COFINS_ST,",
          "ITENSNOTAS_PIS_RETIDO,",
          "ITENSNOTAS_COFINS_RETIDO,",
          "ITENSNOTAS_TANQUE_DESC,",
          "ITENSNOTAS_NUM_PEDIDO_COMPRA,",
          "ITENSNOTAS_ITEM_PEDIDO_COMPRA)",
          "VALUES(",
          "41,",
          "9,",
          "'CAIXA D''AGUA 500L',",
          "'5102',",
          "'UN',",
          "3,",
          "11.11,",
          "33.33,",
          "'101',",
          "0,",
          "0,",
          "0,",
          "0,",
          "0,",
          "0,",
          "0,",
          "'99',",
          "33.33,",
          "5,",
          "1.67,",
          "'01',",
          "33.33,",
          "1.65,",
          "0.55,",
          "'01',",
          "33.33,",
          "7.6,",
          "2.53,",
          "'LOTE 7',",
          "8.5,",
          "0,",
          "'S',",
          "1.25,",
          "0,",
          "0.5,",
          "'N',",
          "1.25,",
          "0.416625,",
          "0,",
          "0,",
          "'0012',",
          "0,",
          "'',",
          "0,",
          "0,",
          "0,",
          "0,",
          "0,",
          "0,",
          "0,",
          "0,",
          "-1, ",
          "'PC-77',",
          "3",
          ")",
      }),
  };
  EXPECT_EQ(recorder().texts(), expected);
}

TEST_P(StatementText, Coupon) {
  ASSERT_TRUE(incluir_cupom(&recorder(), {120, 4512, 3}));
  const std::vector<std::string> expected = {statement({
      "INSERT INTO CUPOM_NFE (",
      "CUPOM_NFE_IDNOTA,",
      "CUPOM_NFE_COO,",
      "CUPOM_NFE_IDIMPRESSORA)",
      "VALUES(",
      "120, ",
      "4512, ",
      "3)",
  })};
  EXPECT_EQ(recorder().texts(), expected);
}

TEST_P(StatementText, Instalment) {
  const double due = day_count(2024, 3, 31) + time_of_day(16, 20, 0);
  ASSERT_TRUE(incluir_contasnotas(&recorder(), {120, 2, due, 150.5}));
  const std::vector<std::string> expected = {statement({
      "INSERT INTO CONTASNOTAS",
      "(",
      "CONTASNOTAS_IDNOTA,",
      "CONTASNOTAS_PARCELA,",
      "CONTASNOTAS_DATAVC,",
      "CONTASNOTAS_VALOR)",
      "VALUES(",
      "120,",
      "2,",
      "'03/31/2024',",
      "150.5",
      ")",
  })};
  EXPECT_EQ(recorder().texts(), expected);
}

}  // namespace
}  // namespace kovo::test
