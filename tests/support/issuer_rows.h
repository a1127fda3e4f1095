// Seeding the issuer tables the operations read, and reading rows back.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "sql/connection.h"
#include "sql/value.h"

namespace kovo::test {

// The one PARAMETROS row.
struct Settings {
  std::int64_t ultimoidnota = 1;
  std::string tipoempresa = "N";
  double aliqsn = 0;
  double aliqpis = 0;
  double aliqcofins = 0;
};

// Replaces every PARAMETROS row with `settings`; clear_settings leaves none.
void seed_settings(Connection& connection, const Settings& settings);
void clear_settings(Connection& connection);
void seed_customer(Connection& connection, std::int32_t id, std::string_view cnpjcpf,
                   std::string_view ierg);
void seed_carrier(Connection& connection, std::int32_t id, std::string_view cnpj,
                  std::string_view rg);
void seed_product(Connection& connection, std::int32_t id, std::string_view refvenda);

// The first row of a query, its columns by upper-case name.
class Row {
 public:
  bool found() const { return found_; }
  // Each throws std::out_of_range naming the column when the row lacks it.
  const Value& value(std::string_view column) const;
  std::int64_t integer(std::string_view column) const;
  double amount(std::string_view column) const;
  std::string text(std::string_view column) const;
  bool is_null(std::string_view column) const { return value(column).is_null(); }

 private:
  friend Row read_row(Connection& connection, const std::string& sql);
  bool found_ = false;
  std::map<std::string, Value> columns_;
};

Row read_row(Connection& connection, const std::string& sql);
std::int64_t count_rows(Connection& connection, std::string_view table,
                        std::string_view where = {});
// PARAMETROS_ULTIMOIDNOTA of the settings row.
std::int64_t counter(Connection& connection);

// Test-side SQL literals, kept apart from the library's own forms.
std::string sql_text(std::string_view text);
std::string sql_number(double value);

}  // namespace kovo::test
