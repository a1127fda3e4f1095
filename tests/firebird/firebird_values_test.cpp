// What the engine stores for the statements' literal forms, and how each
// column type comes back.
#include <gtest/gtest.h>

#include <string>

#include "firebird_fixture.h"

namespace kovo {
namespace {

using test::database_error_of;
using test::FirebirdTest;

std::string sql_quoted(std::string_view text) {
  std::string out = "'";
  for (char c : text) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out + "'";
}

struct ColumnCase {
  const char* expression;
  Value expected;
};

TEST_F(FirebirdTest, EachColumnTypeComesBackAsItsValue) {
  const ColumnCase cases[] = {
      {"CAST(-7 AS SMALLINT)", Value::of_integer(-7)},
      {"CAST(-2147483648 AS INTEGER)", Value::of_integer(-2147483647 - 1)},
      {"CAST(9223372036854775807 AS BIGINT)", Value::of_integer(9223372036854775807)},
      // Scaled numbers: the double nearest to the decimal, whatever the
      // storage width.
      {"CAST(0.416625 AS NUMERIC(18,6))", Value::of_float(0.416625)},
      {"CAST(-12.34 AS DECIMAL(4,2))", Value::of_float(-12.34)},
      {"CAST(0.3 AS NUMERIC(9,1))", Value::of_float(0.3)},
      {"CAST(123456789.123457 AS NUMERIC(18,6))", Value::of_float(123456789.123457)},
      {"CAST(1.5 AS DOUBLE PRECISION)", Value::of_float(1.5)},
      {"CAST(0.1 AS FLOAT)", Value::of_float(static_cast<double>(0.1f))},
      {"TRUE", Value::of_integer(1)},
      {"FALSE", Value::of_integer(0)},
      {"CAST('ab' AS CHAR(4))", Value::of_text("ab  ")},
      {"CAST('ab ' AS VARCHAR(4))", Value::of_text("ab ")},
      {"CAST('' AS VARCHAR(4))", Value::of_text("")},
      {"CAST('texto longo' AS BLOB SUB_TYPE TEXT)", Value::of_text("texto longo")},
      {"DATE '2024-03-31'", Value::of_text("2024-03-31")},
      {"DATE '0001-01-01'", Value::of_text("0001-01-01")},
      {"DATE '1858-11-16'", Value::of_text("1858-11-16")},
      {"DATE '2000-02-29'", Value::of_text("2000-02-29")},
      {"DATE '9999-12-31'", Value::of_text("9999-12-31")},
      {"TIME '18:00:00'", Value::of_text("18:00:00.0000")},
      {"TIME '23:59:59.9999'", Value::of_text("23:59:59.9999")},
      {"TIMESTAMP '2024-03-07 00:00:01.5'", Value::of_text("2024-03-07 00:00:01.5000")},
      {"CAST(NULL AS INTEGER)", Value::null()},
      {"CAST(NULL AS BLOB SUB_TYPE TEXT)", Value::null()},
      {"NULL", Value::null()},
  };
  for (const ColumnCase& c : cases) {
    SCOPED_TRACE(c.expression);
    const Value v = first(*db_, std::string("SELECT ") + c.expression + " FROM RDB$DATABASE");
    ASSERT_EQ(v.kind, c.expected.kind);
    EXPECT_EQ(v.integer, c.expected.integer);
    EXPECT_EQ(v.real, c.expected.real);  // exactly the expected double
    EXPECT_EQ(v.text, c.expected.text);
  }
}

TEST_F(FirebirdTest, ColumnsAreNamedAsTheEngineNamesThem) {
  auto cursor = db_->query("select parametros_ultimoidnota, parametros_tipoempresa as tipo, 1 + 1 from parametros");
  ASSERT_EQ(cursor->column_count(), 3);
  EXPECT_EQ(cursor->column_name(0), "PARAMETROS_ULTIMOIDNOTA");
  EXPECT_EQ(cursor->column_name(1), "TIPO");
  EXPECT_EQ(cursor->column_name(2), "ADD");
}

TEST_F(FirebirdTest, AnEmptyResultHasItsColumnsButNoRow) {
  auto cursor = db_->query("SELECT CLIENTES_ID FROM CLIENTES WHERE CLIENTES_CNPJCPF = 'ninguem'");
  EXPECT_FALSE(cursor->has_row());
  ASSERT_EQ(cursor->column_count(), 1);
  EXPECT_EQ(cursor->column_name(0), "CLIENTES_ID");
  EXPECT_TRUE(cursor->column_value(0).is_null());
}

TEST_F(FirebirdTest, DateLiteralIsReadMonthFirst) {
  db_->execute("INSERT INTO CONTASNOTAS (CONTASNOTAS_IDNOTA, CONTASNOTAS_PARCELA, CONTASNOTAS_DATAVC, CONTASNOTAS_VALOR) "
               "VALUES (120, 2, '03/31/2024', 150.5)");
  db_->execute("INSERT INTO CONTASNOTAS (CONTASNOTAS_IDNOTA, CONTASNOTAS_PARCELA, CONTASNOTAS_DATAVC, CONTASNOTAS_VALOR) "
               "VALUES (120, 3, '12/03/2024', 150.5)");
  auto march = db_->query("SELECT CONTASNOTAS_DATAVC, EXTRACT(DAY FROM CONTASNOTAS_DATAVC), "
                          "EXTRACT(MONTH FROM CONTASNOTAS_DATAVC) FROM CONTASNOTAS WHERE CONTASNOTAS_PARCELA = 2");
  EXPECT_EQ(march->column_value(0).text, "2024-03-31");
  EXPECT_EQ(march->column_value(1).integer, 31);
  EXPECT_EQ(march->column_value(2).integer, 3);
  // Day and month both below 13: still month first (3 December, not 12 March).
  EXPECT_EQ(first(*db_, "SELECT CONTASNOTAS_DATAVC FROM CONTASNOTAS WHERE CONTASNOTAS_PARCELA = 3").text,
            "2024-12-03");
}

TEST_F(FirebirdTest, TimeLiteralIsStoredAsATimeOfDay) {
  db_->execute("INSERT INTO NOTAS (NOTAS_ID, NOTAS_HORASAIDA) VALUES (1, '18:00:00')");
  auto row = db_->query("SELECT NOTAS_HORASAIDA, EXTRACT(HOUR FROM NOTAS_HORASAIDA), "
                        "NOTAS_HORASAIDA + 3600 FROM NOTAS");
  EXPECT_EQ(row->column_value(0).text, "18:00:00.0000");
  EXPECT_EQ(row->column_value(1).integer, 18);
  EXPECT_EQ(row->column_value(2).text, "19:00:00.0000");  // time arithmetic: a TIME, not a text
  const std::string message = database_error_of(
      [&] { db_->execute("INSERT INTO NOTAS (NOTAS_ID, NOTAS_HORASAIDA) VALUES (2, '25:00:00')"); });
  EXPECT_NE(message.find("conversion error from string \"25:00:00\""), std::string::npos) << message;
}

TEST_F(FirebirdTest, AmountLiteralsReadBackAsTheDoublesTheyDenote) {
  const std::pair<const char*, double> cases[] = {
      {"5E-5", 5E-5},
      {"1E15", 1E15},
      {"0.416625", 0.416625},
      {"0.3", 0.3},
      {"-0.05", -0.05},
      {"0.0001", 0.0001},
      {"1.2345E-5", 1.2345E-5},
      {"0.000123456789012345", 0.000123456789012345},
      {"0.333333333333333", 0.333333333333333},
      {"123456789.123457", 123456789.123457},
      {"999999999999999", 999999999999999.0},
      {"1.23456789012346E17", 1.23456789012346E17},
      {"1E300", 1E300},
      {"0", 0.0},
  };
  int parcela = 0;
  for (const auto& [literal, expected] : cases) {
    SCOPED_TRACE(literal);
    ++parcela;
    db_->execute("INSERT INTO CONTASNOTAS (CONTASNOTAS_IDNOTA, CONTASNOTAS_PARCELA, CONTASNOTAS_VALOR) VALUES (1, " +
                 std::to_string(parcela) + ", " + literal + ")");
    const Value v = first(*db_, "SELECT CONTASNOTAS_VALOR FROM CONTASNOTAS WHERE CONTASNOTAS_PARCELA = " +
                                    std::to_string(parcela));
    ASSERT_EQ(v.kind, Value::Kind::Float);
    EXPECT_EQ(v.real, expected);
  }
}

TEST_F(FirebirdTest, EveryByteButZeroIsStoredAndReadBackUnchanged) {
  std::string bytes;
  for (int b = 1; b <= 255; ++b) bytes.push_back(static_cast<char>(b));
  db_->execute("INSERT INTO CLIENTES (CLIENTES_ID, CLIENTES_CNPJCPF) VALUES (1, " + sql_quoted(bytes) + ")");
  db_->execute("INSERT INTO NOTAS (NOTAS_ID, NOTAS_OBS1) VALUES (1, " + sql_quoted(bytes) + ")");

  auto reopened = another();
  auto client = reopened->query("SELECT CLIENTES_CNPJCPF, CHAR_LENGTH(CLIENTES_CNPJCPF), "
                                "OCTET_LENGTH(CLIENTES_CNPJCPF) FROM CLIENTES WHERE CLIENTES_CNPJCPF = " +
                                sql_quoted(bytes));
  ASSERT_TRUE(client->has_row());
  EXPECT_EQ(client->column_value(0).text, bytes);
  EXPECT_EQ(client->column_value(1).integer, 255);  // one character per byte: WIN1252 throughout
  EXPECT_EQ(client->column_value(2).integer, 255);
  EXPECT_EQ(first(*reopened, "SELECT NOTAS_OBS1 FROM NOTAS").text, bytes);
  // The engine compares them as the Windows-1252 characters they are.
  EXPECT_EQ(first(*reopened, "SELECT UPPER('a\xE7\xE3o') FROM RDB$DATABASE").text, "A\xC7\xC3O");
}

TEST_F(FirebirdTest, RemarksHoldTheLongestQuotedTextTheEngineTakes) {
  // The engine's limit for one quoted text is 65535 bytes; two of them make
  // a statement longer than 64 KiB.
  std::string longest(65535, 'r');
  longest[0] = '\x80';
  longest.back() = '\xFF';
  db_->execute("INSERT INTO NOTAS (NOTAS_ID, NOTAS_OBS1, NOTAS_OBSADICIONAIS) VALUES (1, " + sql_quoted(longest) + ", " +
               sql_quoted(longest) + ")");
  auto row = db_->query("SELECT NOTAS_OBS1, NOTAS_OBSADICIONAIS FROM NOTAS");
  EXPECT_EQ(row->column_value(0).text, longest);
  EXPECT_EQ(row->column_value(1).text, longest);

  const std::string message = database_error_of([&] {
    db_->execute("INSERT INTO NOTAS (NOTAS_ID, NOTAS_OBS1) VALUES (2, " + sql_quoted(longest + "x") + ")");
  });
  EXPECT_NE(message.find("exceeds the maximum length of 65535 bytes"), std::string::npos) << message;
}

}  // namespace
}  // namespace kovo
