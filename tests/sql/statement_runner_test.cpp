#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <memory>
#include <vector>

#include "sql/database_error.h"
#include "sql/statement_runner.h"
#include "sqlite_fixture.h"

namespace kovo {
namespace {

// Keeps the texts that reach the real connection.
class RecordingConnection : public ForwardingConnection {
 public:
  using ForwardingConnection::ForwardingConnection;
  void execute(const std::string& sql) override {
    texts.push_back(sql);
    ForwardingConnection::execute(sql);
  }
  std::unique_ptr<Cursor> query(const std::string& sql) override {
    texts.push_back(sql);
    return ForwardingConnection::query(sql);
  }
  std::vector<std::string> texts;
};

template <typename F>
std::string database_error_of(F&& f) {
  try {
    f();
  } catch (const DatabaseError& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(StatementRunner, StatementTextIsEveryLineFollowedByCrLf) {
  auto db = open_connection("sqlite::memory:");
  RecordingConnection recorder(*db);
  StatementRunner runner(&recorder);

  runner.add("SELECT 1 AS A");
  runner.add("WHERE 1 = 1");
  EXPECT_EQ(runner.text(), "SELECT 1 AS A\r\nWHERE 1 = 1\r\n");
  runner.open();

  // A line written in place from pieces; execute ends it.
  runner.clear();
  runner.add("CREATE TABLE T (X INTEGER,");
  runner.begin_line().append("Y ").append("TEXT)");
  runner.execute();

  // Whole lines joined beforehand, after a line left unfinished.
  runner.clear();
  runner.begin_line().append("INSERT INTO T");
  runner.add_lines("(X,\r\nY)\r\n");
  runner.add("VALUES (1, 'a')");
  runner.execute();

  ASSERT_EQ(recorder.texts.size(), 3u);
  EXPECT_EQ(recorder.texts[0], "SELECT 1 AS A\r\nWHERE 1 = 1\r\n");
  EXPECT_EQ(recorder.texts[1], "CREATE TABLE T (X INTEGER,\r\nY TEXT)\r\n");
  EXPECT_EQ(recorder.texts[2], "INSERT INTO T\r\n(X,\r\nY)\r\nVALUES (1, 'a')\r\n");
}

TEST(StatementRunner, NullConnectionFailsEveryStatement) {
  const std::vector<std::function<void(StatementRunner&)>> statements = {
      [](StatementRunner& r) { r.execute(); },
      [](StatementRunner& r) { r.open(); },
  };
  for (const auto& run : statements) {
    StatementRunner runner(nullptr);
    runner.add("SELECT 1");
    EXPECT_EQ(database_error_of([&] { run(runner); }),
              "SQLConnection property required for this operation");
  }
}

TEST(StatementRunner, ClosedConnectionIsOpenedByFirstStatementAndStaysOpen) {
  const std::vector<std::function<void(StatementRunner&)>> first_statements = {
      [](StatementRunner& r) { r.add("CREATE TABLE T (X INTEGER)"); r.execute(); },
      [](StatementRunner& r) { r.add("SELECT 7 AS X"); r.open(); },
  };
  test::TempDir dir;
  int n = 0;
  for (const auto& run : first_statements) {
    auto db = open_connection(dir.sqlite_target("closed" + std::to_string(n++) + ".db"), {.open_now = false});
    ASSERT_FALSE(db->is_open());
    {
      StatementRunner runner(db.get());
      run(runner);
    }
    EXPECT_TRUE(db->is_open());
  }
}

TEST(StatementRunner, NullAndMissingRowsReadAsZeroEmptyAndNull) {
  auto db = open_connection("sqlite::memory:");
  StatementRunner runner(db.get());
  for (const char* query : {"SELECT NULL AS X", "SELECT 5 AS X WHERE 0"}) {
    SCOPED_TRACE(query);
    runner.clear();
    runner.add(query);
    runner.open();
    EXPECT_EQ(runner.as_integer("X"), 0);
    EXPECT_EQ(runner.as_string("X"), "");
    EXPECT_EQ(runner.as_float("X"), 0.0);
    EXPECT_TRUE(runner.as_variant("X").is_null());
  }
}

TEST(StatementRunner, ColumnsAreFoundIgnoringLetterCaseAndOnlyTheFirstRowIsRead) {
  auto db = test::open_with_sqlite_schema();
  db->execute("INSERT INTO CLIENTES VALUES (12, '123', 'ISENTO')");
  db->execute("INSERT INTO CLIENTES VALUES (13, '123', 'ISENTO')");
  StatementRunner runner(db.get());
  runner.add("select clientes_id from clientes where clientes_cnpjcpf = '123' order by clientes_id");
  runner.open();
  EXPECT_EQ(runner.as_integer("CLIENTES_ID"), 12);
  EXPECT_EQ(runner.as_integer("Clientes_Id"), 12);

  runner.clear();
  runner.add("SELECT PARAMETROS_TIPOEMPRESA FROM PARAMETROS");
  runner.open();
  EXPECT_EQ(runner.as_string("parametros_tipoempresa"), "N");
}

TEST(StatementRunner, MissingColumnNamesTheColumnAsAsked) {
  auto db = open_connection("sqlite::memory:");
  StatementRunner runner(db.get());
  runner.add("SELECT 1 AS CLIENTES_ID");
  runner.open();
  EXPECT_EQ(database_error_of([&] { runner.as_integer("transportadores_id"); }),
            "Field 'transportadores_id' not found");
  // An executed statement leaves no result to read from.
  runner.clear();
  runner.add("CREATE TABLE T (X INTEGER)");
  runner.execute();
  EXPECT_EQ(database_error_of([&] { runner.as_variant("X"); }), "Field 'X' not found");
}

TEST(StatementRunner, ChangingTheTextClosesTheOpenResult) {
  auto db = open_connection("sqlite::memory:");
  db->execute("CREATE TABLE T (X INTEGER)");
  StatementRunner runner(db.get());
  runner.add("SELECT COUNT(*) AS N FROM T");
  runner.open();
  EXPECT_EQ(runner.as_integer("N"), 0);

  // No explicit close: the next change drops the result.
  runner.clear();
  runner.add("INSERT INTO T VALUES (1)");
  EXPECT_EQ(database_error_of([&] { runner.as_integer("N"); }), "Field 'N' not found");
  runner.execute();

  runner.clear();
  runner.add("SELECT COUNT(*) AS N FROM T");
  runner.open();
  EXPECT_EQ(runner.as_integer("N"), 1);
  runner.begin_line();
  EXPECT_EQ(database_error_of([&] { runner.as_integer("N"); }), "Field 'N' not found");

  runner.clear();
  runner.add("SELECT COUNT(*) AS N FROM T");
  runner.open();
  runner.add_lines("");
  EXPECT_EQ(database_error_of([&] { runner.as_integer("N"); }), "Field 'N' not found");
}

TEST(StatementRunner, TwoOpenResultsStayReadableBesideAnInsert) {
  test::TempDir dir;
  for (bool in_transaction : {false, true}) {
    SCOPED_TRACE(in_transaction ? "in a transaction" : "autocommit");
    auto db = test::open_with_sqlite_schema(dir.sqlite_target(in_transaction ? "t.db" : "a.db"));
    db->execute("INSERT INTO PRODUTOS VALUES (77, 'REF-1')");
    db->execute("UPDATE PARAMETROS SET PARAMETROS_ALIQPIS = 1.65");
    if (in_transaction) db->begin();

    StatementRunner product(db.get());
    product.add("SELECT PRODUTOS_ID FROM PRODUTOS WHERE PRODUTOS_REFVENDA = 'REF-1'");
    product.open();
    StatementRunner settings(db.get());
    settings.add("SELECT PARAMETROS_ALIQPIS FROM PARAMETROS");
    settings.open();

    StatementRunner row(db.get());
    row.add("INSERT INTO ITENSNOTAS (ITENSNOTAS_IDNOTA, ITENSNOTAS_IDPRODUTO, ITENSNOTAS_ALIQPIS)");
    row.add("VALUES(1, " + std::to_string(product.as_integer("PRODUTOS_ID")) + ", " +
            settings.as_string("PARAMETROS_ALIQPIS") + ")");
    row.execute();
    // A second statement while both results are still open.
    row.clear();
    row.add("DELETE FROM PRODUTOS");
    row.execute();

    EXPECT_EQ(product.as_integer("PRODUTOS_ID"), 77);
    EXPECT_EQ(settings.as_float("PARAMETROS_ALIQPIS"), 1.65);
    if (in_transaction) db->commit();

    StatementRunner check(db.get());
    check.add("SELECT ITENSNOTAS_IDPRODUTO, ITENSNOTAS_ALIQPIS FROM ITENSNOTAS");
    check.open();
    EXPECT_EQ(check.as_integer("ITENSNOTAS_IDPRODUTO"), 77);
    EXPECT_EQ(check.as_float("ITENSNOTAS_ALIQPIS"), 1.65);
  }
}

TEST(StatementRunner, ReadsConvertTheEnginesValues) {
  auto db = open_connection("sqlite::memory:");
  StatementRunner runner(db.get());
  runner.add("SELECT 41 AS I, 0.416625 AS F, '042' AS T, 'S' AS S, 3000000000 AS BIG");
  runner.open();
  EXPECT_EQ(runner.as_variant("I").kind, Value::Kind::Integer);
  EXPECT_EQ(runner.as_variant("F").kind, Value::Kind::Float);
  EXPECT_EQ(runner.as_variant("T").kind, Value::Kind::Text);
  EXPECT_EQ(runner.as_integer("I"), 41);
  EXPECT_EQ(runner.as_string("I"), "41");
  EXPECT_EQ(runner.as_float("F"), 0.416625);
  EXPECT_EQ(runner.as_string("F"), "0.416625");
  EXPECT_EQ(runner.as_integer("T"), 42);
  EXPECT_EQ(runner.as_string("T"), "042");
  EXPECT_EQ(runner.as_string("S"), "S");
  EXPECT_EQ(database_error_of([&] { runner.as_integer("S"); }),
            "Field 'S' value 'S' is not a valid 32-bit integer");
  EXPECT_EQ(database_error_of([&] { runner.as_integer("big"); }),
            "Field 'big' value '3000000000' is not a valid 32-bit integer");
}

TEST(StatementRunner, LiveCountFollowsRunners) {
  const int before = StatementRunner::live_count();
  {
    StatementRunner a(nullptr);
    auto b = std::make_unique<StatementRunner>(nullptr);
    EXPECT_EQ(StatementRunner::live_count(), before + 2);
    b.reset();
    EXPECT_EQ(StatementRunner::live_count(), before + 1);
  }
  EXPECT_EQ(StatementRunner::live_count(), before);
}

}  // namespace
}  // namespace kovo
