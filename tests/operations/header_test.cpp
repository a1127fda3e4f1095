// Invoice header registration on a real database: numbering, the Simples
// Nacional remarks, customer and carrier resolution, the row and the coupon
// link.
#include <cmath>
#include <limits>
#include <string>

#include "fixtures.h"
#include "operations.h"

namespace kovo::test {
namespace {

const std::string kSimplesRemark =
    "DOCUMENTO EMITIDO POR ME OU EPP OPTANTE PELO SIMPLES NACIONAL N\xC3O GERA CR\xC9"
    "DITO FISCAL DE IPI";
const std::string kCreditPrefix =
    "PERMITE APROVEITAMENTO DE CR\xC9"
    "DITO DE ICMS NO VALOR DE R$ ";

class Header : public EngineTest {
 protected:
  Row notas(std::int64_t id) {
    return read_row(db(), "SELECT * FROM NOTAS WHERE NOTAS_ID = " + std::to_string(id));
  }
};
KOVO_ON_EVERY_ENGINE(Header);

TEST_P(Header, TakesTheCounterAsIdAndLeavesItAdvanced) {
  seed_settings(db(), {.ultimoidnota = 41});
  NotasArgs a = header_args();
  a.coo = 7;

  EXPECT_EQ(incluir_notas(&recorder(), a), 41);
  EXPECT_EQ(counter(db()), 42);
  EXPECT_TRUE(notas(41).found());
  const Row link = read_row(db(), "SELECT * FROM CUPOM_NFE");
  EXPECT_EQ(link.integer("CUPOM_NFE_IDNOTA"), 41);
  EXPECT_EQ(link.integer("CUPOM_NFE_COO"), 7);
  EXPECT_EQ(link.integer("CUPOM_NFE_IDIMPRESSORA"), 1);

  // The next call reads the counter afresh, wherever it now stands.
  EXPECT_EQ(incluir_notas(&recorder(), header_args()), 42);
  db().execute("UPDATE PARAMETROS SET PARAMETROS_ULTIMOIDNOTA = 500");
  EXPECT_EQ(incluir_notas(&recorder(), header_args()), 500);
  EXPECT_EQ(counter(db()), 501);
  EXPECT_EQ(count_rows(db(), "NOTAS"), 3);
  EXPECT_EQ(count_rows(db(), "CUPOM_NFE"), 1);
  EXPECT_TRUE(reports().empty());
}

TEST_P(Header, LinksACouponOnlyForAPositiveCoo) {
  for (const std::int32_t coo : {0, -1}) {
    NotasArgs a = header_args();
    a.coo = coo;
    recorder().clear();
    EXPECT_GT(incluir_notas(&recorder(), a), 0);
    EXPECT_EQ(recorder().statements().size(), 5u) << "coo " << coo;
  }
  EXPECT_EQ(count_rows(db(), "CUPOM_NFE"), 0);
  EXPECT_EQ(count_rows(db(), "NOTAS"), 2);
}

struct RemarkCase {
  const char* tipoempresa;
  double aliqsn;
  const char* consumidorfinal;
  double basecreditoicms;
  std::string obs6;  // expected NOTAS_OBS6
  std::string obs7;  // expected NOTAS_OBS7
};

TEST_P(Header, SimplesNacionalRemarksReplaceObs6AndObs7) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const RemarkCase cases[] = {
      {"S", 2.5, "1", 1000, kCreditPrefix + "25,00", kSimplesRemark},
      // Half a cent is rounded away from zero.
      {"S", 5, "1", 0.10, kCreditPrefix + "0,01", kSimplesRemark},
      {"S", 1.25, "", 123456.78, kCreditPrefix + "1.543,21", kSimplesRemark},
      // A buyer marked "0", or no positive base: only the regime remark.
      {"S", 2.5, "0", 1000, "host obs6", kSimplesRemark},
      {"S", 2.5, "1", 0, "host obs6", kSimplesRemark},
      {"S", 2.5, "1", -10, "host obs6", kSimplesRemark},
      {"S", 2.5, "1", nan, "host obs6", kSimplesRemark},
      // The regime is compared exactly.
      {"s", 2.5, "1", 1000, "host obs6", "host obs7"},
      {"", 2.5, "1", 1000, "host obs6", "host obs7"},
      {"N", 2.5, "1", 1000, "host obs6", "host obs7"},
  };
  for (const RemarkCase& c : cases) {
    SCOPED_TRACE(std::string("regime '") + c.tipoempresa + "' base " +
                 std::to_string(c.basecreditoicms) + " consumidorfinal '" + c.consumidorfinal + "'");
    seed_settings(db(), {.ultimoidnota = 10, .tipoempresa = c.tipoempresa, .aliqsn = c.aliqsn});
    NotasArgs a = header_args();
    a.consumidorfinal = c.consumidorfinal;
    a.basecreditoicms = c.basecreditoicms;
    ASSERT_EQ(incluir_notas(&recorder(), a), 10);
    const Row row = notas(10);
    EXPECT_EQ(row.text("NOTAS_OBS6"), c.obs6);
    EXPECT_EQ(row.text("NOTAS_OBS7"), c.obs7);
    db().execute("DELETE FROM NOTAS");
  }
}

struct LookupCase {
  const char* label;
  const char* cnpjcpf;
  const char* ierg;
  const char* cnpjtransp;
  const char* rgtransp;
  std::int64_t customer;
  std::int64_t carrier;
  bool carrier_looked_up;
};

TEST_P(Header, ResolvesCustomerAndCarrierByTaxIds) {
  seed_customer(db(), 77, "11.111.111/0001-11", "ISENTO");
  seed_customer(db(), 78, "D'AVILA", "R'G");
  seed_carrier(db(), 5, "22.222.222/0001-22", "RG5");
  seed_carrier(db(), 6, "33.333.333/0001-33", "");
  seed_carrier(db(), 8, "O'NEIL", "X'Y");
  const LookupCase cases[] = {
      {"both found", "11.111.111/0001-11", "ISENTO", "22.222.222/0001-22", "RG5", 77, 5, true},
      {"apostrophes", "D'AVILA", "R'G", "O'NEIL", "X'Y", 78, 8, true},
      {"ierg differs", "11.111.111/0001-11", "", "22.222.222/0001-22", "RG6", 0, 0, true},
      {"empty rg matches empty", "nobody", "ISENTO", "33.333.333/0001-33", "", 0, 6, true},
      {"empty cnpjtransp skips", "11.111.111/0001-11", "ISENTO", "", "RG5", 77, 0, false},
  };
  std::int32_t id = 1;
  for (const LookupCase& c : cases) {
    SCOPED_TRACE(c.label);
    NotasArgs a = header_args();
    a.cnpjcpf = c.cnpjcpf;
    a.ierg = c.ierg;
    a.cnpjtransp = c.cnpjtransp;
    a.rgtransp = c.rgtransp;
    recorder().clear();
    ASSERT_EQ(incluir_notas(&recorder(), a), id);
    const Row row = notas(id++);
    EXPECT_EQ(row.integer("NOTAS_IDCLI_FOR"), c.customer);
    EXPECT_EQ(row.integer("NOTAS_IDTRANSP"), c.carrier);
    EXPECT_EQ(recorder().statements().size(), c.carrier_looked_up ? 6u : 5u);
  }
  EXPECT_TRUE(reports().empty());
}

TEST_P(Header, LookupLinesDoubleApostrophes) {
  NotasArgs a = header_args();
  a.cnpjcpf = "1'2";
  a.ierg = "'";
  a.cnpjtransp = "C'T";
  a.rgtransp = "R''G";
  ASSERT_EQ(incluir_notas(&recorder(), a), 1);
  const auto texts = recorder().texts();
  ASSERT_EQ(texts.size(), 6u);
  EXPECT_EQ(texts[3],
            "select clientes_id from clientes where clientes_cnpjcpf = '1''2' and "
            "clientes_ierg=''''\r\n");
  EXPECT_EQ(texts[4],
            "select transportadores_id from  transportadores where transportadores_cnpj = "
            "'C''T' and transportadores_rg='R''''G'\r\n");
}

TEST_P(Header, WritesTextsAsGivenAndAmountsAsPassed) {
  NotasArgs a = header_args();
  a.obsadicionais = "CAIXA D'AGUA; -- 'quoted' \\ \"double\"";
  a.modelo = "";
  a.baseicms = 1234.5;
  a.valordesconto = -0.05;
  a.pesoliq = 0.1 + 0.2;
  a.qtdevolumes = -3;
  ASSERT_EQ(incluir_notas(&recorder(), a), 1);
  const Row row = notas(1);
  EXPECT_EQ(row.text("NOTAS_OBSADICIONAIS"), "CAIXA D'AGUA; -- 'quoted' \\ \"double\"");
  EXPECT_EQ(row.text("NOTAS_MODELO"), "");
  EXPECT_FALSE(row.is_null("NOTAS_MODELO"));
  EXPECT_EQ(row.amount("NOTAS_BASEICMS"), 1234.5);
  EXPECT_EQ(row.amount("NOTAS_VALORDESCONTO"), -0.05);
  EXPECT_EQ(row.amount("NOTAS_PESOLIQ"), 0.3);  // fifteen significant digits
  EXPECT_EQ(row.integer("NOTAS_QTDEVOLUMES"), -3);
  EXPECT_EQ(row.text("NOTAS_STATUS"), "A");
  EXPECT_EQ(row.text("NOTAS_OBRIG_TRIBUTARIA"), "2");
  EXPECT_EQ(row.integer("NOTAS_SITUACAO_DOCUMENTO"), 0);
}

TEST_P(Header, AnEmptyCallStillWritesEveryColumn) {
  NotasArgs a;  // every text empty, every number zero
  ASSERT_EQ(incluir_notas(&recorder(), a), 1);
  const Row row = notas(1);
  EXPECT_EQ(row.text("NOTAS_OBS1"), "");
  EXPECT_FALSE(row.is_null("NOTAS_OBS1"));
  EXPECT_EQ(row.amount("NOTAS_TOTALNOTA"), 0.0);
  EXPECT_FALSE(row.is_null("NOTAS_TOTALNOTA"));
  EXPECT_EQ(row.integer("NOTAS_IDCLI_FOR"), 0);
  EXPECT_EQ(row.integer("NOTAS_IDTRANSP"), 0);
}

TEST_P(Header, UsesOneRunnerAtATime) {
  NotasArgs a = header_args();
  a.cnpjtransp = "x";
  a.coo = 3;
  ASSERT_EQ(incluir_notas(&recorder(), a), 1);
  ASSERT_EQ(recorder().statements().size(), 7u);
  for (const RecordedStatement& s : recorder().statements()) EXPECT_EQ(s.live_runners, 1);
  EXPECT_EQ(StatementRunner::live_count(), 0);
}

}  // namespace
}  // namespace kovo::test
