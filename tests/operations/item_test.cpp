// Invoice item registration on a real database: product resolution, the
// PIS and COFINS completions, the Simples Nacional credit and the row.
#include <string>

#include "fixtures.h"
#include "operations.h"

namespace kovo::test {
namespace {

class Item : public EngineTest {
 protected:
  Row item(std::int32_t idnota) {
    return read_row(db(), "SELECT * FROM ITENSNOTAS WHERE ITENSNOTAS_IDNOTA = " +
                              std::to_string(idnota));
  }
};
KOVO_ON_EVERY_ENGINE(Item);

struct CompletionCase {
  const char* label;
  const char* situation;
  double host_base, host_rate, host_value;
  double valortot, desconto, settings_rate;
  double base, rate, value;  // written
};

// Each case runs once as PIS and once as COFINS, the other tax left alone.
TEST_P(Item, CompletesPisAndCofinsFromTheSettingsRates) {
  const CompletionCase cases[] = {
      {"1.485 rounds up", "01", 0, 0, 0, 100, 10, 1.65, 90, 1.65, 1.49},
      {"COFINS example", "01", 0, 0, 0, 100, 10, 7.6, 90, 7.6, 6.84},
      {"negative base", "01", 0, 0, 0, 10, 25, 1.65, -15, 1.65, -0.25},
      {"host rate and value replaced", "01", 0, 9, 9, 100, 0, 1.65, 100, 1.65, 1.65},
      {"base given", "01", 50, 0, 0, 100, 10, 1.65, 50, 0, 0},
      {"base given with figures", "01", 50, 2, 1, 100, 10, 1.65, 50, 2, 1},
      {"tiny base given", "01", 1e-300, 2, 1, 100, 10, 1.65, 1e-300, 2, 1},
      {"code 1", "1", 0, 2, 1, 100, 10, 1.65, 0, 2, 1},
      {"code with blank", "01 ", 0, 2, 1, 100, 10, 1.65, 0, 2, 1},
  };
  std::int32_t idnota = 1;
  for (const bool pis : {true, false}) {
    for (const CompletionCase& c : cases) {
      SCOPED_TRACE(std::string(pis ? "PIS: " : "COFINS: ") + c.label);
      seed_settings(db(), {.aliqpis = pis ? c.settings_rate : 3.0,
                           .aliqcofins = pis ? 3.0 : c.settings_rate});
      ItensNotasArgs a = item_args(idnota);
      a.valortot = c.valortot;
      a.desconto = c.desconto;
      // The other tax has figures of its own that must survive.
      a.sittribpis = pis ? c.situation : "07";
      a.basepis = pis ? c.host_base : 11;
      a.aliqpis = pis ? c.host_rate : 12;
      a.valorpis = pis ? c.host_value : 13;
      a.sittribcofins = pis ? "07" : c.situation;
      a.basecofins = pis ? 11 : c.host_base;
      a.aliqcofins = pis ? 12 : c.host_rate;
      a.valorcofins = pis ? 13 : c.host_value;
      ASSERT_TRUE(incluir_itensnotas(&recorder(), a));

      const Row row = item(idnota++);
      const std::string tax = pis ? "PIS" : "COFINS";
      const std::string other = pis ? "COFINS" : "PIS";
      EXPECT_EQ(row.amount("ITENSNOTAS_BASE" + tax), c.base);
      EXPECT_EQ(row.amount("ITENSNOTAS_ALIQ" + tax), c.rate);
      EXPECT_EQ(row.amount("ITENSNOTAS_VALOR" + tax), c.value);
      EXPECT_EQ(row.amount("ITENSNOTAS_BASE" + other), 11);
      EXPECT_EQ(row.amount("ITENSNOTAS_ALIQ" + other), 12);
      EXPECT_EQ(row.amount("ITENSNOTAS_VALOR" + other), 13);
    }
  }
  EXPECT_TRUE(reports().empty());
}

TEST_P(Item, EmptySettingsCompleteWithRateZeroAndGrantNoCredit) {
  clear_settings(db());
  ItensNotasArgs a = item_args(1);
  a.sittribpis = "01";
  a.sittrib = "101";
  ASSERT_TRUE(incluir_itensnotas(&recorder(), a));
  const Row row = item(1);
  EXPECT_EQ(row.amount("ITENSNOTAS_BASEPIS"), 100);
  EXPECT_EQ(row.amount("ITENSNOTAS_ALIQPIS"), 0);
  EXPECT_EQ(row.amount("ITENSNOTAS_VALORPIS"), 0);
  EXPECT_EQ(row.amount("ITENSNOTAS_ALIQSN"), 0);
  EXPECT_EQ(row.amount("ITENSNOTAS_VALORSN"), 0);
}

struct CreditCase {
  const char* tipoempresa;
  const char* sittrib;
  std::string written_sittrib;
  double aliqsn, valorsn;  // written
};

TEST_P(Item, SituationCodeAndSimplesNacionalCredit) {
  const CreditCase cases[] = {
      // 1.25 % of 33.33, kept unrounded.
      {"S", "101", "101", 1.25, 0.416625},
      {"S", "0", "00", 0, 0},
      {"N", "0", "00", 0, 0},
      {"S", "00", "00", 0, 0},
      {"S", " 0", " 0", 0, 0},
      {"S", "000", "000", 0, 0},
      {"S", "102", "102", 0, 0},
      {"s", "101", "101", 0, 0},
      {"N", "101", "101", 0, 0},
  };
  std::int32_t idnota = 1;
  for (const CreditCase& c : cases) {
    SCOPED_TRACE(std::string("regime '") + c.tipoempresa + "' sittrib '" + c.sittrib + "'");
    seed_settings(db(), {.tipoempresa = c.tipoempresa, .aliqsn = 1.25});
    ItensNotasArgs a = item_args(idnota);
    a.sittrib = c.sittrib;
    a.valortot = 33.33;
    a.desconto = 3.33;  // plays no part in the credit
    a.aliqsn = 9.5;     // the host's figures are never used
    a.valorsn = 9.5;
    ASSERT_TRUE(incluir_itensnotas(&recorder(), a));
    const Row row = item(idnota++);
    EXPECT_EQ(row.text("ITENSNOTAS_SITTRIB"), c.written_sittrib);
    EXPECT_EQ(row.amount("ITENSNOTAS_ALIQSN"), c.aliqsn);
    EXPECT_EQ(row.amount("ITENSNOTAS_VALORSN"), c.valorsn);
  }
}

struct ProductCase {
  const char* refvenda;
  std::int64_t product_id;
  std::string lookup;  // the statement text
};

TEST_P(Item, ResolvesTheProductBySalesReference) {
  seed_product(db(), 9, "REF'01");
  seed_product(db(), 10, "");
  seed_product(db(), 11, "0042");
  const ProductCase cases[] = {
      {"REF'01", 9, "SELECT PRODUTOS_ID FROM PRODUTOS WHERE PRODUTOS_REFVENDA = 'REF''01'\r\n"},
      {"", 10, "SELECT PRODUTOS_ID FROM PRODUTOS WHERE PRODUTOS_REFVENDA = ''\r\n"},
      {"0042", 11, "SELECT PRODUTOS_ID FROM PRODUTOS WHERE PRODUTOS_REFVENDA = '0042'\r\n"},
      {"42", 0, "SELECT PRODUTOS_ID FROM PRODUTOS WHERE PRODUTOS_REFVENDA = '42'\r\n"},
      {"NOPE", 0, "SELECT PRODUTOS_ID FROM PRODUTOS WHERE PRODUTOS_REFVENDA = 'NOPE'\r\n"},
  };
  std::int32_t idnota = 1;
  for (const ProductCase& c : cases) {
    SCOPED_TRACE(c.refvenda);
    ItensNotasArgs a = item_args(idnota);
    a.refvenda = c.refvenda;
    recorder().clear();
    ASSERT_TRUE(incluir_itensnotas(&recorder(), a));
    EXPECT_EQ(item(idnota++).integer("ITENSNOTAS_IDPRODUTO"), c.product_id);
    ASSERT_FALSE(recorder().texts().empty());
    EXPECT_EQ(recorder().texts()[0], c.lookup);
  }
  EXPECT_TRUE(reports().empty());
}

TEST_P(Item, WritesTextsAndIntegersAsGiven) {
  ItensNotasArgs a = item_args(4);
  a.descricaoproduto = "CAIXA D'AGUA 'GRANDE'";
  a.infadicionais = "";
  a.ipi_unitario = "0012";
  a.tanque_desc = -1;
  a.quant_selo = 2147483647;
  a.item_pedido_compra = -2147483647 - 1;
  a.desconto = -0.0;
  ASSERT_TRUE(incluir_itensnotas(&recorder(), a));
  const Row row = item(4);
  EXPECT_EQ(row.text("ITENSNOTAS_DESCRICAOPRODUTO"), "CAIXA D'AGUA 'GRANDE'");
  EXPECT_EQ(row.text("ITENSNOTAS_INFADICIONAIS"), "");
  EXPECT_FALSE(row.is_null("ITENSNOTAS_INFADICIONAIS"));
  EXPECT_EQ(row.text("ITENSNOTAS_IPI_UNITARIO"), "0012");
  EXPECT_EQ(row.integer("ITENSNOTAS_TANQUE_DESC"), -1);
  EXPECT_EQ(row.integer("ITENSNOTAS_QUANT_SELO"), 2147483647);
  EXPECT_EQ(row.integer("ITENSNOTAS_ITEM_PEDIDO_COMPRA"), -2147483648LL);
  EXPECT_EQ(row.amount("ITENSNOTAS_DESCONTO"), 0);
}

TEST_P(Item, WritesTheRowWhileBothLookupsAreOpen) {
  ASSERT_TRUE(incluir_itensnotas(&recorder(), item_args(1)));
  const auto& statements = recorder().statements();
  ASSERT_EQ(statements.size(), 3u);
  EXPECT_EQ(statements[0].kind, RecordedStatement::Kind::Query);
  EXPECT_EQ(statements[0].live_runners, 1);
  EXPECT_EQ(statements[1].text,
            "SELECT PARAMETROS_ALIQPIS, PARAMETROS_ALIQCOFINS, PARAMETROS_TIPOEMPRESA, "
            "PARAMETROS_ALIQSN FROM PARAMETROS\r\n");
  EXPECT_EQ(statements[1].live_runners, 2);
  EXPECT_EQ(statements[2].kind, RecordedStatement::Kind::Execute);
  EXPECT_EQ(statements[2].live_runners, 3);
  EXPECT_EQ(StatementRunner::live_count(), 0);
}

TEST_P(Item, ReadsTheSettingsAfreshOnEveryCall) {
  ItensNotasArgs a = item_args(1);
  a.sittribpis = "01";
  seed_settings(db(), {.aliqpis = 1.65});
  ASSERT_TRUE(incluir_itensnotas(&recorder(), a));
  seed_settings(db(), {.aliqpis = 2.0});
  a.idnota = 2;
  ASSERT_TRUE(incluir_itensnotas(&recorder(), a));
  EXPECT_EQ(item(1).amount("ITENSNOTAS_VALORPIS"), 1.65);
  EXPECT_EQ(item(2).amount("ITENSNOTAS_VALORPIS"), 2.0);
}

TEST_P(Item, AThousandCallsLeaveNoRunnerBehind) {
  seed_product(db(), 1, "REF-1");
  db().begin();
  for (std::int32_t i = 0; i < 1000; ++i) {
    ASSERT_TRUE(incluir_itensnotas(&db(), item_args(i)));
  }
  db().commit();
  EXPECT_EQ(StatementRunner::live_count(), 0);
  EXPECT_EQ(count_rows(db(), "ITENSNOTAS", "ITENSNOTAS_IDPRODUTO = 1"), 1000);
}

}  // namespace
}  // namespace kovo::test
