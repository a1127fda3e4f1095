#include "issuer_rows.h"

#include <cctype>
#include <charconv>
#include <stdexcept>

namespace kovo::test {
namespace {

std::string upper(std::string_view name) {
  std::string result(name);
  for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return result;
}

}  // namespace

std::string sql_text(std::string_view text) {
  std::string quoted = "'";
  for (char c : text) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return quoted + "'";
}

std::string sql_number(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

void clear_settings(Connection& connection) { connection.execute("DELETE FROM PARAMETROS"); }

void seed_settings(Connection& connection, const Settings& s) {
  clear_settings(connection);
  connection.execute(
      "INSERT INTO PARAMETROS (PARAMETROS_ULTIMOIDNOTA, PARAMETROS_TIPOEMPRESA, "
      "PARAMETROS_ALIQSN, PARAMETROS_ALIQPIS, PARAMETROS_ALIQCOFINS) VALUES (" +
      std::to_string(s.ultimoidnota) + ", " +
      sql_text(s.tipoempresa) + ", " + sql_number(s.aliqsn) + ", " + sql_number(s.aliqpis) +
      ", " + sql_number(s.aliqcofins) + ")");
}

void seed_customer(Connection& connection, std::int32_t id, std::string_view cnpjcpf,
                   std::string_view ierg) {
  connection.execute("INSERT INTO CLIENTES (CLIENTES_ID, CLIENTES_CNPJCPF, CLIENTES_IERG) VALUES (" +
                     std::to_string(id) + ", " + sql_text(cnpjcpf) + ", " + sql_text(ierg) + ")");
}

void seed_carrier(Connection& connection, std::int32_t id, std::string_view cnpj,
                  std::string_view rg) {
  connection.execute(
      "INSERT INTO TRANSPORTADORES (TRANSPORTADORES_ID, TRANSPORTADORES_CNPJ, "
      "TRANSPORTADORES_RG) VALUES (" +
      std::to_string(id) + ", " + sql_text(cnpj) + ", " + sql_text(rg) + ")");
}

void seed_product(Connection& connection, std::int32_t id, std::string_view refvenda) {
  connection.execute("INSERT INTO PRODUTOS (PRODUTOS_ID, PRODUTOS_REFVENDA) VALUES (" +
                     std::to_string(id) + ", " + sql_text(refvenda) + ")");
}

const Value& Row::value(std::string_view column) const {
  const auto it = columns_.find(upper(column));
  if (it == columns_.end()) {
    throw std::out_of_range(found_ ? "no column " + std::string(column) : "no row");
  }
  return it->second;
}

std::int64_t Row::integer(std::string_view column) const {
  const Value& v = value(column);
  switch (v.kind) {
    case Value::Kind::Integer:
      return v.integer;
    case Value::Kind::Float:
      if (v.real == static_cast<double>(static_cast<std::int64_t>(v.real))) {
        return static_cast<std::int64_t>(v.real);
      }
      break;
    case Value::Kind::Text:
      return std::stoll(v.text);
    case Value::Kind::Null:
      break;
  }
  throw std::out_of_range("column " + std::string(column) + " holds no integer");
}

double Row::amount(std::string_view column) const {
  const Value& v = value(column);
  switch (v.kind) {
    case Value::Kind::Integer:
      return static_cast<double>(v.integer);
    case Value::Kind::Float:
      return v.real;
    case Value::Kind::Text:
      return std::stod(v.text);
    case Value::Kind::Null:
      break;
  }
  throw std::out_of_range("column " + std::string(column) + " is null");
}

std::string Row::text(std::string_view column) const {
  const Value& v = value(column);
  switch (v.kind) {
    case Value::Kind::Integer:
      return std::to_string(v.integer);
    case Value::Kind::Float:
      return sql_number(v.real);
    case Value::Kind::Text:
      return v.text;
    case Value::Kind::Null:
      break;
  }
  return {};
}

Row read_row(Connection& connection, const std::string& sql) {
  Row row;
  const auto cursor = connection.query(sql);
  if (!cursor->has_row()) return row;
  row.found_ = true;
  for (int i = 0; i < cursor->column_count(); ++i) {
    row.columns_[upper(cursor->column_name(i))] = cursor->column_value(i);
  }
  return row;
}

std::int64_t count_rows(Connection& connection, std::string_view table, std::string_view where) {
  std::string sql = "SELECT COUNT(*) AS N FROM " + std::string(table);
  if (!where.empty()) sql += " WHERE " + std::string(where);
  return read_row(connection, sql).integer("N");
}

std::int64_t counter(Connection& connection) {
  return read_row(connection, "SELECT PARAMETROS_ULTIMOIDNOTA FROM PARAMETROS")
      .integer("PARAMETROS_ULTIMOIDNOTA");
}

}  // namespace kovo::test
