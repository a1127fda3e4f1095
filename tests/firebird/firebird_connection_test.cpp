// The connection's behaviour on the embedded engine: errors, transactions,
// results beside other statements, opening.
#include <gtest/gtest.h>

#include <string>

#include "drivers/firebird_api.h"
#include "firebird_fixture.h"

namespace kovo {
namespace {

using test::database_error_of;
using test::FirebirdTest;

std::int64_t count(Connection& db, const std::string& table) {
  return db.query("SELECT COUNT(*) FROM " + table)->column_value(0).integer;
}

void insert_coupon(Connection& db, int idnota, int coo) {
  db.execute("INSERT INTO CUPOM_NFE (CUPOM_NFE_IDNOTA, CUPOM_NFE_COO, CUPOM_NFE_IDIMPRESSORA) VALUES (" +
             std::to_string(idnota) + ", " + std::to_string(coo) + ", 1)");
}

TEST_F(FirebirdTest, RejectedStatementsCarryTheEnginesOwnMessage) {
  const std::pair<const char*, const char*> cases[] = {
      {"INSERT INTO NAOEXISTE (X) VALUES (1)",
       "Dynamic SQL Error\nSQL error code = -204\nTable unknown\nNAOEXISTE\nAt line 1, column 13"},
      {"INSERT INTO CUPOM_NFE (CUPOM_NFE_COO) VALUES (1)",
       "validation error for column \"CUPOM_NFE\".\"CUPOM_NFE_IDNOTA\", value \"*** null ***\""},
      {"SELEC 1 FROM RDB$DATABASE",
       "Dynamic SQL Error\nSQL error code = -104\nToken unknown - line 1, column 1\nSELEC"},
      {"UPDATE PARAMETROS SET PARAMETROS_NAOEXISTE = 1",
       "Dynamic SQL Error\nSQL error code = -206\nColumn unknown\nPARAMETROS_NAOEXISTE\nAt line 1, column 23"},
      {"INSERT INTO CONTASNOTAS (CONTASNOTAS_IDNOTA, CONTASNOTAS_VALOR) VALUES (1, INF)",
       "Dynamic SQL Error\nSQL error code = -206\nColumn unknown\nINF\nAt line 1, column 76"},
      {"INSERT INTO CUPOM_NFE (CUPOM_NFE_IDNOTA) VALUES (1); INSERT INTO CUPOM_NFE (CUPOM_NFE_IDNOTA) VALUES (2)",
       "Dynamic SQL Error\nSQL error code = -104\nToken unknown - line 1, column 54\nINSERT"},
  };
  for (const auto& [sql, message] : cases) {
    SCOPED_TRACE(sql);
    EXPECT_EQ(database_error_of([&, sql = sql] { db_->execute(sql); }), message);
    EXPECT_EQ(database_error_of([&, sql = sql] { db_->query(sql); }), message);
  }
  EXPECT_EQ(count(*db_, "CUPOM_NFE"), 0);
  EXPECT_EQ(first(*db_, "SELECT PARAMETROS_ULTIMOIDNOTA FROM PARAMETROS").integer, 1);
}

TEST_F(FirebirdTest, PrimaryKeyRefusesAReusedInvoiceIdAndKeepsTheFirstHeader) {
  db_->execute("INSERT INTO NOTAS (NOTAS_ID, NOTAS_NUMERO) VALUES (41, 1001)");
  const std::string message =
      database_error_of([&] { db_->execute("INSERT INTO NOTAS (NOTAS_ID, NOTAS_NUMERO) VALUES (41, 1002)"); });
  EXPECT_EQ(message.rfind("violation of PRIMARY or UNIQUE KEY constraint \"", 0), 0u) << message;
  EXPECT_NE(message.find("on table \"NOTAS\"\nProblematic key value is (\"NOTAS_ID\" = 41)"), std::string::npos)
      << message;
  EXPECT_EQ(count(*db_, "NOTAS"), 1);
  EXPECT_EQ(first(*db_, "SELECT NOTAS_NUMERO FROM NOTAS WHERE NOTAS_ID = 41").integer, 1001);
}

TEST_F(FirebirdTest, StatementsOutsideATransactionCommitAtOnce) {
  EXPECT_FALSE(db_->in_transaction());
  insert_coupon(*db_, 1, 10);
  EXPECT_FALSE(db_->in_transaction());
  auto other = another();
  EXPECT_EQ(count(*other, "CUPOM_NFE"), 1);
}

TEST_F(FirebirdTest, HostTransactionCommitsOrRollsBackEverythingInIt) {
  auto other = another();

  db_->begin();
  EXPECT_TRUE(db_->in_transaction());
  insert_coupon(*db_, 1, 10);
  db_->execute("UPDATE PARAMETROS SET PARAMETROS_ULTIMOIDNOTA = PARAMETROS_ULTIMOIDNOTA + 1");
  EXPECT_EQ(count(*db_, "CUPOM_NFE"), 1);    // seen inside the transaction
  EXPECT_EQ(count(*other, "CUPOM_NFE"), 0);  // not outside it
  db_->rollback();
  EXPECT_FALSE(db_->in_transaction());
  EXPECT_EQ(count(*db_, "CUPOM_NFE"), 0);
  EXPECT_EQ(first(*db_, "SELECT PARAMETROS_ULTIMOIDNOTA FROM PARAMETROS").integer, 1);

  db_->begin();
  insert_coupon(*db_, 2, 20);
  // A failing statement undoes itself only; the transaction goes on.
  EXPECT_NE(database_error_of([&] { db_->execute("INSERT INTO NAOEXISTE VALUES (1)"); }), "");
  insert_coupon(*db_, 3, 30);
  db_->commit();
  EXPECT_FALSE(db_->in_transaction());
  EXPECT_EQ(count(*other, "CUPOM_NFE"), 2);
}

TEST_F(FirebirdTest, OneTransactionAtATime) {
  EXPECT_EQ(database_error_of([&] { db_->commit(); }), "No transaction is active on this connection");
  EXPECT_EQ(database_error_of([&] { db_->rollback(); }), "No transaction is active on this connection");
  db_->begin();
  insert_coupon(*db_, 1, 10);
  EXPECT_EQ(database_error_of([&] { db_->begin(); }), "A transaction is already active on this connection");
  // The refused begin left the first transaction as it was.
  EXPECT_TRUE(db_->in_transaction());
  db_->commit();
  EXPECT_EQ(count(*another(), "CUPOM_NFE"), 1);
}

TEST_F(FirebirdTest, StatementsCannotEndTheTransactionBehindTheConnectionsBack) {
  const char* refused = "Transactions are begun, committed and rolled back through the connection, not by statements";
  db_->begin();
  insert_coupon(*db_, 1, 10);
  for (const char* sql : {"COMMIT", "ROLLBACK", "SET TRANSACTION"}) {
    SCOPED_TRACE(sql);
    EXPECT_EQ(database_error_of([&] { db_->execute(sql); }), refused);
    EXPECT_TRUE(db_->in_transaction());
  }
  db_->rollback();
  EXPECT_EQ(count(*db_, "CUPOM_NFE"), 0);
}

TEST_F(FirebirdTest, ClosingWithAnOpenTransactionRollsItBack) {
  db_->begin();
  insert_coupon(*db_, 1, 10);
  db_->close();
  EXPECT_FALSE(db_->is_open());
  EXPECT_FALSE(db_->in_transaction());
  EXPECT_EQ(count(*db_, "CUPOM_NFE"), 0);  // the statement reopened it
  EXPECT_TRUE(db_->is_open());
}

// A call keeps two results open and executes an insert beside them.
TEST_F(FirebirdTest, ResultsStayReadableBesideOtherStatementsInAndOutOfATransaction) {
  for (const bool in_transaction : {false, true}) {
    SCOPED_TRACE(in_transaction ? "in a transaction" : "autocommit");
    if (in_transaction) db_->begin();
    auto settings = db_->query("SELECT PARAMETROS_ULTIMOIDNOTA, PARAMETROS_TIPOEMPRESA FROM PARAMETROS");
    auto empty = db_->query("SELECT CUPOM_NFE_COO FROM CUPOM_NFE WHERE CUPOM_NFE_IDNOTA = 999");
    insert_coupon(*db_, 999, 7);
    db_->execute("UPDATE PARAMETROS SET PARAMETROS_ULTIMOIDNOTA = 50");
    if (in_transaction) db_->commit();

    EXPECT_EQ(settings->column_value(0).integer, 1);  // the row as it was read
    EXPECT_EQ(settings->column_value(1).text, "N");
    EXPECT_FALSE(empty->has_row());
    EXPECT_EQ(first(*db_, "SELECT CUPOM_NFE_COO FROM CUPOM_NFE WHERE CUPOM_NFE_IDNOTA = 999").integer, 7);

    db_->execute("DELETE FROM CUPOM_NFE");
    db_->execute("UPDATE PARAMETROS SET PARAMETROS_ULTIMOIDNOTA = 1");
  }
}

TEST_F(FirebirdTest, AQueryOfAStatementWithoutRowsRunsItAndYieldsNoRow) {
  auto insert = db_->query("INSERT INTO CUPOM_NFE (CUPOM_NFE_IDNOTA) VALUES (5)");
  EXPECT_FALSE(insert->has_row());
  EXPECT_EQ(insert->column_count(), 0);
  EXPECT_EQ(count(*db_, "CUPOM_NFE"), 1);

  auto returning = db_->query("UPDATE PARAMETROS SET PARAMETROS_ULTIMOIDNOTA = 8 RETURNING OLD.PARAMETROS_ULTIMOIDNOTA");
  ASSERT_TRUE(returning->has_row());
  EXPECT_EQ(returning->column_value(0).integer, 1);
}

TEST_F(FirebirdTest, AConnectionMadeClosedOpensAtItsFirstStatement) {
  auto lazy = open_connection(target_, OpenOptions{.open_now = false});
  EXPECT_FALSE(lazy->is_open());
  EXPECT_EQ(first(*lazy, "SELECT PARAMETROS_ULTIMOIDNOTA FROM PARAMETROS").integer, 1);
  EXPECT_TRUE(lazy->is_open());
}

TEST_F(FirebirdTest, AMissingDatabaseIsReportedWithTheEnginesMessage) {
  const std::string missing = (dir_.path() / "nao-existe.fdb").string();
  const std::string message = database_error_of([&] { open_connection("firebird:" + missing); });
  EXPECT_EQ(message.rfind("I/O error during \"open\" operation for file \"" + missing + "\"\n", 0), 0u) << message;
}

TEST(FirebirdClient, AMissingClientLibraryIsReportedByName) {
  const std::string normal = firebird::library_name();
  firebird::set_library_name("libkovo-no-such-fbclient.so");
  const std::string message = database_error_of([] { open_connection("firebird:/tmp/x.fdb"); });
  firebird::set_library_name(normal);
  EXPECT_EQ(message.rfind("Cannot load library 'libkovo-no-such-fbclient.so': ", 0), 0u) << message;
}

}  // namespace
}  // namespace kovo
