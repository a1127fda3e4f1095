// The C interface as a C host uses it: through libkovolink's exported
// functions, on real SQLite database files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "kovolink.h"
#include "sql/connection.h"
#include "sqlite_fixture.h"

namespace {

using kovo::test::TempDir;

// The library's reports, collected by the hook.
struct Reports {
  std::vector<std::string> captions;
  std::vector<std::string> texts;
  static void hook(void* context, const char* caption, const char* text) {
    auto* self = static_cast<Reports*>(context);
    self->captions.emplace_back(caption);
    self->texts.emplace_back(text);
  }
};

std::int64_t count(kovo::Connection& connection, const std::string& sql) {
  const auto result = connection.query(sql);
  const kovo::Value v = result->column_value(0);
  return v.kind == kovo::Value::Kind::Integer ? v.integer : static_cast<std::int64_t>(v.real);
}

class CApi : public ::testing::Test {
 protected:
  void SetUp() override {
    target = dir.sqlite_target("erp.db");
    const std::string init = std::string("'") + KOVOLINK_EXE + "' init '" + target +
                             "' --regime S --aliqsn 2.5 >/dev/null";
    ASSERT_EQ(std::system(init.c_str()), 0);
    check = kovo::open_connection(target);
    check->execute(
        "CREATE TRIGGER refuse_negative BEFORE INSERT ON CONTASNOTAS WHEN NEW.CONTASNOTAS_VALOR < 0 "
        "BEGIN SELECT RAISE(ABORT, 'negative instalment refused'); END");
    kovo_set_error_report_hook(&Reports::hook, &reports);
    char* err = nullptr;
    db = kovo_open(target.c_str(), &err);
    ASSERT_NE(db, nullptr) << err;
  }
  void TearDown() override {
    kovo_close(db);
    kovo_set_error_report_hook(nullptr, nullptr);
  }

  TempDir dir;
  std::string target;
  std::unique_ptr<kovo::Connection> check;
  Reports reports;
  kovo_connection* db = nullptr;
};

TEST_F(CApi, RegistersAnInvoiceInTheCallersTransaction) {
  char* err = nullptr;
  ASSERT_EQ(kovo_begin(db, &err), KOVO_OK);
  kovo_notas nota{};
  nota.numero = 900;
  nota.modelo = "55";
  nota.obs1 = "A\xC7\xC3O";  // Windows-1252; every other text NULL, the empty text
  nota.dataemissao = 45358;
  nota.coo = 12;
  std::int32_t id = 0;
  ASSERT_EQ(kovo_notas_incluir(db, &nota, &id, &err), KOVO_OK);
  EXPECT_EQ(id, 1);
  kovo_itensnotas item{};
  item.idnota = id;
  item.refvenda = "X";
  item.quantid = 2;
  EXPECT_EQ(kovo_itensnotas_incluir(db, &item, &err), KOVO_OK);
  const kovo_contasnotas parcela{id, 1, 45388, 10.5};
  EXPECT_EQ(kovo_contasnotas_incluir(db, &parcela, &err), KOVO_OK);
  const kovo_cupom cupom{id, 13, 2};
  EXPECT_EQ(kovo_cupom_incluir(db, &cupom, &err), KOVO_OK);
  EXPECT_EQ(err, nullptr);

  // Nothing is visible to another connection before the commit.
  EXPECT_EQ(count(*check, "SELECT COUNT(*) FROM NOTAS"), 0);
  ASSERT_EQ(kovo_commit(db, &err), KOVO_OK);
  EXPECT_EQ(count(*check, "SELECT COUNT(*) FROM NOTAS WHERE NOTAS_NUMERO = 900 AND NOTAS_OBS1 = 'A\xC7\xC3O'"), 1);
  EXPECT_EQ(count(*check, "SELECT COUNT(*) FROM ITENSNOTAS WHERE ITENSNOTAS_IDNOTA = 1"), 1);
  EXPECT_EQ(count(*check, "SELECT COUNT(*) FROM CONTASNOTAS WHERE CONTASNOTAS_VALOR = 10.5"), 1);
  EXPECT_EQ(count(*check, "SELECT COUNT(*) FROM CUPOM_NFE WHERE CUPOM_NFE_IDNOTA = 1"), 2);
  EXPECT_TRUE(reports.texts.empty());
}

TEST_F(CApi, ADatabaseErrorIsReportedAndReturnedWithItsMessage) {
  char* err = static_cast<char*>(std::malloc(8));  // an earlier message is released, not leaked
  std::strcpy(err, "earlier");
  ASSERT_EQ(kovo_begin(db, nullptr), KOVO_OK);
  kovo_notas nota{};
  std::int32_t id = 0;
  ASSERT_EQ(kovo_notas_incluir(db, &nota, &id, nullptr), KOVO_OK);
  const kovo_contasnotas parcela{id, 1, 0, -1};
  EXPECT_EQ(kovo_contasnotas_incluir(db, &parcela, &err), KOVO_DATABASE_ERROR);
  ASSERT_NE(err, nullptr);
  EXPECT_STREQ(err, "negative instalment refused");
  kovo_free(err);
  ASSERT_EQ(reports.texts.size(), 1u);
  EXPECT_EQ(reports.captions[0], "Erro");
  EXPECT_EQ(reports.texts[0],
            "[e:quorbis_999999]\r\n\r\nErro retornado pelo processamento\r\n\r\nnegative instalment refused"
            "\r\n\r\nVerifique e tente novamente!");

  // The header went in before the failure; the caller's rollback removes it.
  ASSERT_EQ(kovo_rollback(db, nullptr), KOVO_OK);
  EXPECT_EQ(count(*check, "SELECT COUNT(*) FROM NOTAS"), 0);
  EXPECT_EQ(count(*check, "SELECT PARAMETROS_ULTIMOIDNOTA FROM PARAMETROS"), 1);
}

TEST_F(CApi, AFailureThatIsNoDatabaseErrorIsReturnedWithoutAReport) {
  // An infinite credit base under Simples Nacional cannot be rounded: the
  // operation lets the conversion failure through, and the C interface
  // turns it into KOVO_ERROR instead of an exception.
  kovo_notas nota{};
  nota.consumidorfinal = "1";
  nota.basecreditoicms = std::numeric_limits<double>::infinity();
  std::int32_t id = 0;
  char* err = nullptr;
  ASSERT_EQ(kovo_begin(db, nullptr), KOVO_OK);
  EXPECT_EQ(kovo_notas_incluir(db, &nota, &id, &err), KOVO_ERROR);
  EXPECT_EQ(id, -1);
  ASSERT_NE(err, nullptr);
  EXPECT_STREQ(err, "'INF' is not a valid floating point value");
  kovo_free(err);
  EXPECT_TRUE(reports.texts.empty());
  EXPECT_EQ(kovo_rollback(db, nullptr), KOVO_OK);
}

TEST_F(CApi, MissingArgumentsAndBadTargetsAreErrorsNotCrashes) {
  char* err = nullptr;
  kovo_notas nota{};
  std::int32_t id = 0;
  EXPECT_EQ(kovo_notas_incluir(nullptr, &nota, &id, &err), KOVO_ERROR);
  EXPECT_STREQ(err, "no connection (NULL)");
  EXPECT_EQ(id, -1);
  EXPECT_EQ(kovo_itensnotas_incluir(db, nullptr, &err), KOVO_ERROR);
  EXPECT_STREQ(err, "no arguments (NULL)");
  EXPECT_EQ(kovo_commit(nullptr, &err), KOVO_ERROR);
  kovo_free(err);
  err = nullptr;

  EXPECT_EQ(kovo_open("oracle:erp", &err), nullptr);
  EXPECT_STREQ(err, "Unknown database target 'oracle:erp'");
  kovo_free(err);
  EXPECT_EQ(kovo_open(nullptr, nullptr), nullptr);
  // Ending a transaction that was never begun is the engine's error.
  err = nullptr;
  EXPECT_EQ(kovo_commit(db, &err), KOVO_DATABASE_ERROR);
  EXPECT_NE(err, nullptr);
  kovo_free(err);
  kovo_close(nullptr);
  kovo_free(nullptr);
}

TEST(CApiCfop, WritesIntoTheCallersBufferAndReturnsTheLength) {
  kovo_cfop venda{};
  venda.tipoempresa = "S";
  venda.uforigem = "SP";
  venda.ufdestino = "RJ";
  venda.sittrib = "102";
  venda.naocontribuinte = "S";
  char buffer[8];
  EXPECT_EQ(kovo_cfop_vendas(&venda, buffer, sizeof buffer), 4u);
  EXPECT_STREQ(buffer, "6108");
  EXPECT_EQ(kovo_cfop_vendas(&venda, buffer, 3), 4u);  // too small: cut, still terminated
  EXPECT_STREQ(buffer, "61");
  EXPECT_EQ(kovo_cfop_vendas(&venda, nullptr, 0), 4u);  // asks for the length only
  venda.sufixo1 = "12345";
  EXPECT_EQ(kovo_cfop_vendas(&venda, buffer, sizeof buffer), 6u);
  EXPECT_STREQ(buffer, "612345");
  EXPECT_EQ(kovo_cfop_vendas(nullptr, buffer, sizeof buffer), 4u);
  EXPECT_STREQ(buffer, "9999");
}

}  // namespace
