// Making a database from the Firebird reference schema.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "firebird_fixture.h"

namespace kovo {
namespace {

using test::database_error_of;
using test::FirebirdTest;

std::string text_of(Connection& db, const std::string& sql) { return db.query(sql)->column_value(0).text; }

TEST_F(FirebirdTest, NewDatabaseIsWin1252Dialect3WithTheSettingsRow) {
  EXPECT_EQ(text_of(*db_, "SELECT TRIM(RDB$CHARACTER_SET_NAME) FROM RDB$DATABASE"), "WIN1252");
  EXPECT_EQ(first(*db_, "SELECT MON$SQL_DIALECT FROM MON$DATABASE").integer, 3);
  EXPECT_EQ(text_of(*db_,
                    "SELECT TRIM(c.RDB$CHARACTER_SET_NAME) FROM MON$ATTACHMENTS a JOIN RDB$CHARACTER_SETS c "
                    "ON c.RDB$CHARACTER_SET_ID = a.MON$CHARACTER_SET_ID WHERE a.MON$ATTACHMENT_ID = CURRENT_CONNECTION"),
            "WIN1252");
  auto settings = db_->query("SELECT * FROM PARAMETROS");
  EXPECT_EQ(settings->column_value(0).integer, 1);
  EXPECT_EQ(settings->column_value(1).text, "N");
}

TEST_F(FirebirdTest, PageWritesAreForcedUnlessTheCreatorWaivesThem) {
  EXPECT_EQ(first(*db_, "SELECT MON$FORCED_WRITES FROM MON$DATABASE").integer, 0);  // the fixture waives them
  auto durable = create_firebird_database(target_for("durable.fdb"), "");
  EXPECT_EQ(first(*durable, "SELECT MON$FORCED_WRITES FROM MON$DATABASE").integer, 1);
}

TEST_F(FirebirdTest, UserAndRoleOfTheTargetAreWhoConnects) {
  db_->execute("CREATE ROLE CAIXA");
  db_->execute("GRANT CAIXA TO ANA");
  auto as_ana = open_connection(target_ + "?user=ANA&role=CAIXA");
  auto who = as_ana->query("SELECT CURRENT_USER, CURRENT_ROLE FROM RDB$DATABASE");
  EXPECT_EQ(who->column_value(0).text, "ANA");
  EXPECT_EQ(who->column_value(1).text, "CAIXA");
  EXPECT_EQ(first(*db_, "SELECT CURRENT_USER FROM RDB$DATABASE").text, "SYSDBA");  // the embedded default
}

// The two reference schemas must not drift apart.
TEST_F(FirebirdTest, SchemaHasTheSameTablesAndColumnsAsTheSqliteOne) {
  auto lite = test::open_with_sqlite_schema();
  const std::string lite_tables = text_of(
      *lite, "SELECT group_concat(name, ',') FROM (SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name)");
  const std::string fb_tables =
      text_of(*db_,
              "SELECT LIST(TRIM(RDB$RELATION_NAME), ',') FROM (SELECT RDB$RELATION_NAME FROM RDB$RELATIONS "
              "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 ORDER BY RDB$RELATION_NAME)");
  ASSERT_EQ(fb_tables, lite_tables);
  ASSERT_NE(lite_tables.find("NOTAS"), std::string::npos);

  std::string_view rest = lite_tables;
  while (!rest.empty()) {
    const std::string table(rest.substr(0, rest.find(',')));
    rest.remove_prefix(std::min(rest.size(), table.size() + 1));
    SCOPED_TRACE(table);
    const std::string lite_columns =
        text_of(*lite, "SELECT group_concat(name, ',') FROM (SELECT name FROM pragma_table_info('" + table +
                           "') ORDER BY cid)");
    const std::string fb_columns =
        text_of(*db_, "SELECT LIST(TRIM(RDB$FIELD_NAME), ',') FROM (SELECT RDB$FIELD_NAME FROM RDB$RELATION_FIELDS "
                      "WHERE RDB$RELATION_NAME = '" +
                          table + "' ORDER BY RDB$FIELD_POSITION)");
    EXPECT_EQ(fb_columns, lite_columns);
  }
}

TEST_F(FirebirdTest, AnExistingDatabaseIsNeverOverwritten) {
  db_->execute("INSERT INTO CUPOM_NFE (CUPOM_NFE_IDNOTA) VALUES (1)");
  db_->close();
  const std::string message = database_error_of([&] { create_firebird_database(target_, "CREATE TABLE T (X INTEGER)"); });
  EXPECT_NE(message.find("I/O error during \"open O_CREAT\" operation for file"), std::string::npos) << message;
  EXPECT_EQ(first(*another(), "SELECT COUNT(*) FROM CUPOM_NFE").integer, 1);
}

TEST_F(FirebirdTest, AFailingSchemaLeavesNoDatabaseBehind) {
  const std::string target = target_for("broken.fdb");
  const std::string message = database_error_of(
      [&] { create_firebird_database(target, "CREATE TABLE A (X INTEGER);\nCREATE TABLE B (X NOSUCHTYPE);"); });
  EXPECT_EQ(message.rfind("Statement 2 of the schema failed: unsuccessful metadata update\nCREATE TABLE B failed\n", 0),
            0u)
      << message;
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / "broken.fdb"));

  // So the same target can be made again once the schema is right.
  auto made = create_firebird_database(target, "CREATE TABLE A (X INTEGER)");
  EXPECT_EQ(first(*made, "SELECT COUNT(*) FROM A").integer, 0);
}

TEST(FirebirdDatabase, OnlyFirebirdTargetsAreCreated) {
  EXPECT_EQ(database_error_of([] { create_firebird_database("sqlite:/tmp/x.db", ""); }),
            "Not a Firebird target: 'sqlite:/tmp/x.db'");
}

}  // namespace
}  // namespace kovo
