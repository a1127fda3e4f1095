#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sql/database_error.h"
#include "sql/schema_loader.h"
#include "sqlite_fixture.h"

namespace kovo {
namespace {

using Statements = std::vector<std::string>;

TEST(SchemaLoader, SplitsAtTerminatorsOutsideQuotesAndComments) {
  const std::pair<std::string, Statements> cases[] = {
      {"A; B;", {"A", "B"}},
      {"A;\n\n  B  ", {"A", "B"}},  // the last needs no terminator
      {";;A;;", {"A"}},
      {"INSERT INTO T VALUES ('x;y', 'it''s;');", {"INSERT INTO T VALUES ('x;y', 'it''s;')"}},
      {"CREATE TABLE \"a;b\" (X);", {"CREATE TABLE \"a;b\" (X)"}},
      {"-- one; two\nA; /* three; */ B;", {"-- one; two\nA", "/* three; */ B"}},
      {"A; -- trailing; comment\n", {"A"}},
      {"/* only a comment */;", {}},
      {"A;\nset term ^ ;\nCREATE TRIGGER X BEGIN Y; Z; END^\nSET TERM ; ^\nB;",
       {"A", "CREATE TRIGGER X BEGIN Y; Z; END", "B"}},
      {"SETTING TERMS;", {"SETTING TERMS"}},
  };
  for (const auto& [script, expected] : cases) {
    SCOPED_TRACE(script);
    EXPECT_EQ(split_statements(script), expected);
  }
}

TEST(SchemaLoader, UnterminatedQuoteOrCommentIsRefused) {
  for (const char* script : {"INSERT INTO T VALUES ('open;", "A; /* open", "CREATE TABLE \"T (X)"}) {
    SCOPED_TRACE(script);
    EXPECT_THROW(split_statements(script), DatabaseError);
  }
}

TEST(SchemaLoader, FailingStatementIsNamedAndTheOnesBeforeItStay) {
  auto db = open_connection("sqlite::memory:");
  try {
    apply_schema(*db, "CREATE TABLE A (X);\nINSERT INTO A VALUES (1);\nINSERT INTO NOPE VALUES (1);\nCREATE TABLE B (X);");
    FAIL() << "no error";
  } catch (const DatabaseError& e) {
    EXPECT_STREQ(e.what(), "Statement 3 of the script failed: no such table: NOPE");
  }
  EXPECT_EQ(db->query("SELECT COUNT(*) FROM A")->column_value(0).integer, 1);
  EXPECT_THROW(db->query("SELECT * FROM B"), DatabaseError);
}

TEST(SchemaLoader, UnreadableFileIsNamed) {
  test::TempDir dir;
  auto db = open_connection("sqlite::memory:");
  for (const auto& path : {dir.path() / "missing.sql", dir.path()}) {
    try {
      apply_schema_file(*db, path);
      FAIL() << "no error for " << path;
    } catch (const DatabaseError& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot read the script '" + path.string() + "'");
    }
  }
}

}  // namespace
}  // namespace kovo
