#include "argument_fields.h"

#include <set>

#include "kovolink_args.h"

namespace kovo::test {
namespace {

std::string upper(std::string_view name) {
  std::string result(name);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

template <typename Args>
class Collector {
 public:
  Collector(std::string_view prefix, std::set<std::string_view> not_columns)
      : prefix_(prefix), not_columns_(std::move(not_columns)) {}

  void TEXT(std::string_view name, std::string_view Args::*m) {
    if (keep(name)) fields_.texts.push_back({column(name), m, nullptr, nullptr});
  }
  void INT(std::string_view name, std::int32_t Args::*m) {
    if (keep(name)) fields_.integers.push_back({column(name), nullptr, m, nullptr});
  }
  void AMOUNT(std::string_view name, double Args::*m) {
    if (keep(name)) fields_.amounts.push_back({column(name), nullptr, nullptr, m});
  }
  void DATE(std::string_view name, double Args::*m) {
    if (keep(name)) fields_.dates.push_back({column(name), nullptr, nullptr, m});
  }
  Fields<Args> done() { return std::move(fields_); }

 private:
  bool keep(std::string_view name) const { return not_columns_.count(name) == 0; }
  std::string column(std::string_view name) const { return std::string(prefix_) + upper(name); }

  std::string_view prefix_;
  std::set<std::string_view> not_columns_;
  Fields<Args> fields_;
};

#define KOVO_COLLECT(kind, name) c.kind(#name, &Args::name);

}  // namespace

const Fields<NotasArgs>& notas_fields() {
  static const Fields<NotasArgs> fields = [] {
    using Args = NotasArgs;
    Collector<Args> c("NOTAS_", {"cnpjcpf", "ierg", "cnpjtransp", "rgtransp", "coo", "basecreditoicms"});
    KOVO_NOTAS_ARGS(KOVO_COLLECT)
    return c.done();
  }();
  return fields;
}

const Fields<ItensNotasArgs>& itensnotas_fields() {
  static const Fields<ItensNotasArgs> fields = [] {
    using Args = ItensNotasArgs;
    Collector<Args> c("ITENSNOTAS_", {"refvenda", "aliqsn", "valorsn"});
    KOVO_ITENSNOTAS_ARGS(KOVO_COLLECT)
    return c.done();
  }();
  return fields;
}

const Fields<ContasNotasArgs>& contasnotas_fields() {
  static const Fields<ContasNotasArgs> fields = [] {
    using Args = ContasNotasArgs;
    Collector<Args> c("CONTASNOTAS_", {});
    KOVO_CONTASNOTAS_ARGS(KOVO_COLLECT)
    return c.done();
  }();
  return fields;
}

const Fields<CupomArgs>& cupom_fields() {
  static const Fields<CupomArgs> fields = [] {
    using Args = CupomArgs;
    Collector<Args> c("CUPOM_NFE_", {});
    KOVO_CUPOM_ARGS(KOVO_COLLECT)
    return c.done();
  }();
  return fields;
}

#undef KOVO_COLLECT

}  // namespace kovo::test
