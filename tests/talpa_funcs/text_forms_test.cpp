#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "talpa_funcs/number_text.h"
#include "talpa_funcs/talpa_funcs.h"

namespace kovo {
namespace {

TEST(IntegerLiteral, WritesPlainDecimalDigits) {
  const struct {
    std::int32_t value;
    const char* text;
  } cases[] = {
      {0, "0"},          {7, "7"},
      {-7, "-7"},        {1000000, "1000000"},
      {2147483647, "2147483647"}, {-2147483647 - 1, "-2147483648"},
  };
  for (const auto& c : cases) EXPECT_EQ(integer_literal(c.value), c.text) << c.value;
}

TEST(QuotedText, DoublesSingleQuotesAndKeepsEverythingElse) {
  const struct {
    std::string text;
    std::string quoted;
  } cases[] = {
      {"", "''"},
      {"'", "''''"},
      {"CAIXA D'AGUA", "'CAIXA D''AGUA'"},
      {"''x'", "'''''x'''"},
      {"C:\\dir \"x\"", "'C:\\dir \"x\"'"},
      {"  trailing blanks  ", "'  trailing blanks  '"},
      {std::string("nul\0and\tctl\r\n", 13), std::string("'nul\0and\tctl\r\n'", 15)},
      {"A\xC7\xC3O \xE9 \x80", "'A\xC7\xC3O \xE9 \x80'"},  // Windows-1252 bytes
  };
  for (const auto& c : cases) {
    EXPECT_EQ(quoted_text(c.text), c.quoted) << c.text;
    // The buffer writer the statements use, within the room it asks for.
    std::string buf(detail::quoted_text_capacity(c.text.size()), '#');
    buf.resize(detail::write_quoted_text(buf.data(), c.text));
    EXPECT_EQ(buf, c.quoted) << c.text;
  }
}

TEST(ValorSql, TurnsBrazilianSeparatorsIntoAStatementNumber) {
  const struct {
    const char* text;
    const char* sql;
  } cases[] = {
      {"", "0.00"},           {"1.234,56", "1234.56"}, {"1,5E-5", "1.5E-5"},
      {"12", "12"},           {"INF", "INF"},          {"-INF", "-INF"},
      {"a,b.c", "a.bc"},      {"1.234.567", "1234567"}, {",,..", ".."},
      {" 1,5 ", " 1.5 "},
  };
  for (const auto& c : cases) EXPECT_EQ(valor_sql(c.text), c.sql) << c.text;
}

TEST(AppendForms, AppendToWhatTheLineAlreadyHolds) {
  std::string line = "VALUES (";
  append_integer_literal(line, -5);
  line += ", ";
  append_quoted_text(line, "O'Neil");
  line += ", ";
  append_valor_sql(line, "1.234,5");
  line += ", ";
  append_amount_literal(line, 0.5);
  EXPECT_EQ(line, "VALUES (-5, 'O''Neil', 1234.5, 0.5");
}

}  // namespace
}  // namespace kovo
