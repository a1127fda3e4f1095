#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "drivers/dynamic_library.h"
#include "drivers/sqlite_api.h"
#include "drivers/sqlite_connection.h"
#include "sql/database_error.h"
#include "sqlite_fixture.h"

namespace kovo {
namespace {

template <typename F>
std::string database_error_of(F&& f) {
  try {
    f();
  } catch (const DatabaseError& e) {
    return e.what();
  }
  return "(no error)";
}

std::int64_t count(Connection& db, const std::string& table) {
  return db.query("SELECT COUNT(*) FROM " + table)->column_value(0).integer;
}

TEST(SqliteDriver, EveryByteButZeroRoundTripsThroughAFile) {
  std::string bytes;
  for (int b = 1; b <= 255; ++b) bytes.push_back(static_cast<char>(b));
  std::string literal = "'";
  for (char c : bytes) {
    literal.push_back(c);
    if (c == '\'') literal.push_back(c);
  }
  literal.push_back('\'');

  test::TempDir dir;
  const std::string target = dir.sqlite_target("bytes.db");
  {
    auto db = open_connection(target);
    db->execute("CREATE TABLE T (X VARCHAR(300))");
    db->execute("INSERT INTO T VALUES (" + literal + ")");
  }
  auto db = open_connection(target);
  auto row = db->query("SELECT X, LENGTH(CAST(X AS BLOB)) FROM T WHERE X = " + literal);
  ASSERT_TRUE(row->has_row());
  EXPECT_EQ(row->column_value(0).kind, Value::Kind::Text);
  EXPECT_EQ(row->column_value(0).text, bytes);
  EXPECT_EQ(row->column_value(1).integer, 255);
}

TEST(SqliteDriver, RejectedStatementsCarryTheEnginesMessage) {
  const std::pair<const char*, const char*> cases[] = {
      {"INSERT INTO NOPE VALUES (1)", "no such table: NOPE"},
      {"SELEC 1", "near \"SELEC\": syntax error"},
      {"INSERT INTO T VALUES (1)", "UNIQUE constraint failed: T.ID"},
      {"SELECT NOPE FROM T", "no such column: NOPE"},
      {"INSERT INTO T VALUES (INF)", "no such column: INF"},
      {"  -- nothing\r\n", "No statement to run"},
      {"INSERT INTO T VALUES (2); INSERT INTO T VALUES (3)", "Only one statement can run at a time"},
  };
  const std::string with_zero_byte("INSERT INTO X VALUES ('a\0'); INSERT INTO T VALUES (9)", 53);
  auto db = open_connection("sqlite::memory:");
  db->execute("CREATE TABLE T (ID INTEGER PRIMARY KEY)");
  db->execute("INSERT INTO T VALUES (1)");
  for (const auto& [sql, message] : cases) {
    SCOPED_TRACE(sql);
    EXPECT_EQ(database_error_of([&, sql = sql] { db->execute(sql); }), message);
    EXPECT_EQ(database_error_of([&, sql = sql] { db->query(sql); }), message);
  }
  EXPECT_EQ(database_error_of([&] { db->execute(with_zero_byte); }), "A statement cannot hold a zero byte");
  EXPECT_EQ(count(*db, "T"), 1);  // nothing of a refused text ran
  // A trailing terminator, blanks and comments are no second statement.
  db->execute("INSERT INTO T VALUES (2);\r\n-- done\r\n");
  EXPECT_EQ(count(*db, "T"), 2);
}

TEST(SqliteDriver, TransactionsCommitAndRollBackWhileAutocommitIsTheDefault) {
  test::TempDir dir;
  const std::string target = dir.sqlite_target("tx.db");
  auto db = open_connection(target);
  auto other = open_connection(target);
  db->execute("CREATE TABLE T (X INTEGER)");

  EXPECT_FALSE(db->in_transaction());
  db->execute("INSERT INTO T VALUES (1)");
  EXPECT_EQ(count(*other, "T"), 1);  // committed on its own

  db->begin();
  EXPECT_TRUE(db->in_transaction());
  db->execute("INSERT INTO T VALUES (2)");
  db->rollback();
  EXPECT_FALSE(db->in_transaction());
  EXPECT_EQ(count(*db, "T"), 1);

  db->begin();
  db->execute("INSERT INTO T VALUES (3)");
  EXPECT_EQ(count(*other, "T"), 1);  // not yet visible elsewhere
  db->commit();
  EXPECT_EQ(count(*other, "T"), 2);

  EXPECT_EQ(database_error_of([&] { db->commit(); }), "cannot commit - no transaction is active");
  db->begin();
  EXPECT_EQ(database_error_of([&] { db->begin(); }), "cannot start a transaction within a transaction");
  // Closing rolls back what was not committed.
  db->execute("INSERT INTO T VALUES (4)");
  db->close();
  EXPECT_EQ(count(*other, "T"), 2);
}

TEST(SqliteDriver, SecondWriterFailsWithALockErrorInsteadOfWaitingForever) {
  test::TempDir dir;
  const std::string path = (dir.path() / "lock.db").string();
  SqliteConnection first(path, true);
  SqliteConnection second(path, true);
  second.set_busy_timeout(50);
  first.execute("CREATE TABLE T (X INTEGER)");
  first.begin();
  first.execute("INSERT INTO T VALUES (1)");
  EXPECT_EQ(database_error_of([&] { second.begin(); }), "database is locked");
  EXPECT_EQ(database_error_of([&] { second.execute("INSERT INTO T VALUES (2)"); }), "database is locked");
  first.commit();
  second.execute("INSERT INTO T VALUES (2)");
  EXPECT_EQ(count(first, "T"), 2);
}

TEST(SqliteDriver, OpenResultsHoldNoLockAndOutliveTheirConnection) {
  test::TempDir dir;
  const std::string path = (dir.path() / "results.db").string();
  SqliteConnection reader(path, true);
  SqliteConnection writer(path, true);
  writer.set_busy_timeout(50);
  reader.execute("CREATE TABLE T (X INTEGER)");
  reader.execute("INSERT INTO T VALUES (5)");
  reader.execute("INSERT INTO T VALUES (6)");

  auto result = reader.query("SELECT X AS x FROM T ORDER BY X");
  writer.begin();
  writer.execute("INSERT INTO T VALUES (7)");
  writer.commit();  // would wait on the reader's lock if the result held one

  reader.begin();
  reader.execute("DELETE FROM T");
  reader.rollback();
  reader.close();
  ASSERT_TRUE(result->has_row());
  EXPECT_EQ(result->column_count(), 1);
  EXPECT_EQ(result->column_name(0), "x");
  EXPECT_EQ(result->column_value(0).integer, 5);
}

TEST(SqliteDriver, TargetsAndOpening) {
  test::TempDir dir;
  const std::string target = dir.sqlite_target("kept.db");
  {
    auto db = open_connection(target, {.open_now = false});
    EXPECT_FALSE(db->is_open());
    db->execute("CREATE TABLE T (X INTEGER)");  // opens it
    EXPECT_TRUE(db->is_open());
    db->execute("INSERT INTO T VALUES (1)");
    db->close();
    EXPECT_FALSE(db->is_open());
    db->open();
    EXPECT_EQ(count(*db, "T"), 1);
  }
  EXPECT_EQ(count(*open_connection(target), "T"), 1);

  auto memory = open_connection("sqlite::memory:");
  memory->execute("CREATE TABLE T (X INTEGER)");
  EXPECT_EQ(count(*memory, "T"), 0);

  const std::string missing_dir = (dir.path() / "no-such-dir" / "x.db").string();
  EXPECT_EQ(database_error_of([&] { open_connection("sqlite:" + missing_dir); }),
            "Cannot open SQLite database '" + missing_dir + "': unable to open database file");
  EXPECT_EQ(database_error_of([] { open_connection("sqlite:"); }), "SQLite target names no database file");
  EXPECT_EQ(database_error_of([] { open_connection("postgres://db/x"); }),
            "Unknown database target 'postgres://db/x'");
  EXPECT_EQ(database_error_of([] { open_connection("SQLITE::memory:"); }),
            "Unknown database target 'SQLITE::memory:'");
}

// Points the driver at another library for one test.
class LibraryNameOverride {
 public:
  explicit LibraryNameOverride(std::string name) : saved_(sqlite::library_name()) {
    sqlite::set_library_name(std::move(name));
  }
  ~LibraryNameOverride() { sqlite::set_library_name(saved_); }

 private:
  std::string saved_;
};

TEST(SqliteDriver, MissingLibraryIsADatabaseErrorNamingIt) {
  {
    LibraryNameOverride missing("libkovo-no-such-sqlite.so.0");
    const std::string message = database_error_of([] { open_connection("sqlite::memory:", {.open_now = false}); });
    EXPECT_EQ(message.rfind("Cannot load library 'libkovo-no-such-sqlite.so.0': ", 0), 0u) << message;
    EXPECT_GT(message.size(), std::string("Cannot load library 'libkovo-no-such-sqlite.so.0': ").size());
  }
  EXPECT_NO_THROW(open_connection("sqlite::memory:"));

  DynamicLibrary library(sqlite::library_name());
  EXPECT_EQ(database_error_of([&] { library.function("sqlite3_no_such_function"); }),
            "Library '" + sqlite::library_name() + "' has no function 'sqlite3_no_such_function'");
}

}  // namespace
}  // namespace kovo
