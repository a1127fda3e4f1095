#include "cli/stored_report.h"

#include <cctype>
#include <cmath>
#include <map>
#include <string>

#include "cli/console.h"
#include "cli/issuer_database.h"
#include "talpa_funcs/talpa_funcs.h"

namespace kovo::cli {
namespace {

// A row read back, its columns by upper-case name.
class Row {
 public:
  Row(Connection& connection, const std::string& sql) {
    const auto result = connection.query(sql);
    found_ = result->has_row();
    for (int i = 0; i < result->column_count(); ++i) {
      std::string name = result->column_name(i);
      for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      columns_[name] = result->column_value(i);
    }
  }
  bool found() const { return found_; }

  const Value& value(const std::string& column) const {
    static const Value kNull;
    const auto it = columns_.find(column);
    return it == columns_.end() ? kNull : it->second;
  }
  double number(const std::string& column) const {
    const Value& v = value(column);
    if (v.kind == Value::Kind::Integer) return static_cast<double>(v.integer);
    return v.kind == Value::Kind::Float ? v.real : 0.0;
  }
  // Windows-1252 text of any value; numbers in Brazilian form.
  std::string text(const std::string& column) const {
    const Value& v = value(column);
    switch (v.kind) {
      case Value::Kind::Null: return "";
      case Value::Kind::Integer: return std::to_string(v.integer);
      case Value::Kind::Float: return general_number_text(v.real);
      case Value::Kind::Text: return v.text;
    }
    return "";
  }
  std::string money(const std::string& column) const {
    return "R$ " + money_text(static_cast<Extended>(number(column)));
  }

 private:
  bool found_ = false;
  std::map<std::string, Value> columns_;
};

class Printer {
 public:
  explicit Printer(std::FILE* out) : out_(out) {}
  // `line` is Windows-1252, as the database holds the texts.
  void line(const std::string& text) {
    write_text(out_, text);
    std::fputc('\n', out_);
  }

 private:
  std::FILE* out_;
};

// The k-th row (from 0) of `select` in the order the rows were written.
std::string nth_row(std::string_view target, const std::string& select, std::int64_t k) {
  if (is_firebird(target)) {
    return select + " ROWS " + std::to_string(k + 1) + " TO " + std::to_string(k + 1);
  }
  return select + " ORDER BY rowid LIMIT 1 OFFSET " + std::to_string(k);
}

std::int64_t count(Connection& connection, const std::string& table, const std::string& where) {
  const auto result = connection.query("SELECT COUNT(*) FROM " + table + " WHERE " + where);
  if (!result->has_row()) return 0;
  const Value v = result->column_value(0);
  return v.kind == Value::Kind::Integer ? v.integer : static_cast<std::int64_t>(v.real);
}

std::string id_or_none(const Row& row, const std::string& column) {
  const std::string id = row.text(column);
  return id == "0" || id.empty() ? "0 (none found)" : id;
}

void print_header(Printer& p, const Row& n) {
  p.line("Invoice " + n.text("NOTAS_ID") + ": NF-e model " + n.text("NOTAS_MODELO") + ", series " +
         n.text("NOTAS_SERIE") + ", number " + n.text("NOTAS_NUMERO") + " - " + n.text("NOTAS_NATUREZAOPERACAO"));
  p.line("  issued " + n.text("NOTAS_DATAEMISSAO") + ", out " + n.text("NOTAS_DATASAIDA") + " " +
         n.text("NOTAS_HORASAIDA") + "; customer id " + id_or_none(n, "NOTAS_IDCLI_FOR") + ", carrier id " +
         id_or_none(n, "NOTAS_IDTRANSP"));
  std::string totals = "  products " + n.money("NOTAS_TOTALPRODUTOS");
  if (n.number("NOTAS_TOTALFRETE") != 0) totals += ", freight " + n.money("NOTAS_TOTALFRETE");
  if (n.number("NOTAS_VALORICMS") != 0) totals += ", ICMS " + n.money("NOTAS_VALORICMS");
  p.line(totals + ", invoice total " + n.money("NOTAS_TOTALNOTA"));
  for (const char* obs : {"NOTAS_OBS6", "NOTAS_OBS7"}) {
    const std::string remark = n.text(obs);
    if (!remark.empty()) p.line("  " + std::string(obs).substr(6) + ": " + remark);
  }
}

void print_items(Printer& p, Connection& c, std::string_view target, const std::string& id) {
  const std::string where = "ITENSNOTAS_IDNOTA = " + id;
  const std::int64_t n = count(c, "ITENSNOTAS", where);
  p.line("  items:");
  for (std::int64_t k = 0; k < n; ++k) {
    const Row r(c, nth_row(target, "SELECT * FROM ITENSNOTAS WHERE " + where, k));
    if (!r.found()) break;
    p.line("    " + std::to_string(k + 1) + ". " + r.text("ITENSNOTAS_DESCRICAOPRODUTO") + " (product id " +
           r.text("ITENSNOTAS_IDPRODUTO") + ")");
    p.line("       CFOP " + r.text("ITENSNOTAS_CFOP") + ", ICMS code " + r.text("ITENSNOTAS_SITTRIB") + ": " +
           r.text("ITENSNOTAS_QUANTID") + " " + r.text("ITENSNOTAS_UM") + " x " + r.money("ITENSNOTAS_VALORUNIT") +
           " = " + r.money("ITENSNOTAS_VALORTOT"));
    std::string taxes = "       PIS " + r.text("ITENSNOTAS_ALIQPIS") + "% " + r.money("ITENSNOTAS_VALORPIS") +
                        ", COFINS " + r.text("ITENSNOTAS_ALIQCOFINS") + "% " + r.money("ITENSNOTAS_VALORCOFINS");
    if (r.number("ITENSNOTAS_VALORSN") != 0) {
      taxes += ", Simples Nacional credit " + r.text("ITENSNOTAS_ALIQSN") + "% " + r.money("ITENSNOTAS_VALORSN");
    }
    p.line(taxes);
  }
}

void print_instalments(Printer& p, Connection& c, std::string_view target, const std::string& id) {
  const std::string where = "CONTASNOTAS_IDNOTA = " + id;
  const std::int64_t n = count(c, "CONTASNOTAS", where);
  if (n == 0) return;
  p.line("  instalments:");
  for (std::int64_t k = 0; k < n; ++k) {
    const Row r(c, nth_row(target, "SELECT * FROM CONTASNOTAS WHERE " + where, k));
    if (!r.found()) break;
    p.line("    " + r.text("CONTASNOTAS_PARCELA") + ". due " + r.text("CONTASNOTAS_DATAVC") + "  " +
           r.money("CONTASNOTAS_VALOR"));
  }
}

void print_coupons(Printer& p, Connection& c, std::string_view target, const std::string& id) {
  const std::string where = "CUPOM_NFE_IDNOTA = " + id;
  const std::int64_t n = count(c, "CUPOM_NFE", where);
  if (n == 0) return;
  p.line("  fiscal-printer coupons:");
  for (std::int64_t k = 0; k < n; ++k) {
    const Row r(c, nth_row(target, "SELECT * FROM CUPOM_NFE WHERE " + where, k));
    if (!r.found()) break;
    p.line("    COO " + r.text("CUPOM_NFE_COO") + " on printer " + r.text("CUPOM_NFE_IDIMPRESSORA"));
  }
}

}  // namespace

void print_stored(Connection& connection, std::string_view target, const std::vector<std::int32_t>& ids,
                  std::FILE* out) {
  Printer p(out);
  for (const std::int32_t value : ids) {
    const std::string id = std::to_string(value);
    const Row header(connection, "SELECT * FROM NOTAS WHERE NOTAS_ID = " + id);
    p.line("");
    if (!header.found()) {
      p.line("Invoice " + id + ": not found");
      continue;
    }
    print_header(p, header);
    print_items(p, connection, target, id);
    print_instalments(p, connection, target, id);
    print_coupons(p, connection, target, id);
  }
  std::fflush(out);
}

}  // namespace kovo::cli
