// The sales CFOP derivation on arbitrary texts. The input is split at line
// feeds into tipoempresa, uforigem, ufdestino, sittrib, naocontribuinte,
// sufixo1 and sufixo2 (missing ones are empty). Properties:
//   - the first digit is 5 within a state, 6 to another, 7 abroad ("EX");
//   - a non-empty override wins whole, sufixo2 over sufixo1, and "999"
//     gives "9999";
//   - without overrides the result is "9999" or the first digit followed by
//     one of the table's suffixes, as the regime and the code select.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "operations.h"

namespace {

bool one_of(std::string_view s, std::initializer_list<std::string_view> list) {
  for (const std::string_view item : list) {
    if (s == item) return true;
  }
  return false;
}

// The table, before the overrides.
std::string table_suffix(const kovo::CfopArgs& a, char first) {
  const bool other_state = first == '6';
  const bool to_non_contributor = other_state && a.naocontribuinte == "S";
  if (a.tipoempresa == "S") {
    if (one_of(a.sittrib, {"101", "102", "103", "300", "400", "900"})) return to_non_contributor ? "108" : "102";
    if (a.sittrib == "500") return other_state ? "404" : "405";
    return "999";
  }
  if (a.tipoempresa == "P" || a.tipoempresa == "R") {
    if (one_of(a.sittrib, {"00", "20", "40", "41", "50", "51", "90"})) return to_non_contributor ? "108" : "102";
    if (a.sittrib == "60") return other_state ? "108" : "405";
  }
  return "999";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (fields.size() < 7) {
    const std::size_t end = input.find('\n', start);
    fields.push_back(input.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  fields.resize(7);

  kovo::CfopArgs a;
  a.tipoempresa = fields[0];
  a.uforigem = fields[1];
  a.ufdestino = fields[2];
  a.sittrib = fields[3];
  a.naocontribuinte = fields[4];
  a.sufixo1 = fields[5];
  a.sufixo2 = fields[6];

  const std::string cfop = kovo::retorna_cfop_vendas(a);

  const char first = a.uforigem == a.ufdestino ? '5' : a.ufdestino == "EX" ? '7' : '6';
  std::string suffix = table_suffix(a, first);
  if (!a.sufixo1.empty()) suffix = std::string(a.sufixo1);
  if (!a.sufixo2.empty()) suffix = std::string(a.sufixo2);
  const std::string expected = suffix == "999" ? "9999" : first + suffix;
  if (cfop != expected) {
    std::fprintf(stderr, "CFOP \"%s\", expected \"%s\"\n", cfop.c_str(), expected.c_str());
    std::abort();
  }
  return 0;
}
