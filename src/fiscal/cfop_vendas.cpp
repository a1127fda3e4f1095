// The CFOP of a sale: first digit from the destination, last three digits
// from the regime's table of situation codes, then the host's overrides.
// Comparisons are exact and case-sensitive, with no trimming.
#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "operations.h"

namespace kovo {
namespace {

constexpr std::array<std::string_view, 6> kCsosnNormal{"101", "102", "103", "300", "400", "900"};
constexpr std::array<std::string_view, 7> kCstNormal{"00", "20", "40", "41", "50", "51", "90"};

template <std::size_t N>
bool one_of(std::string_view code, const std::array<std::string_view, N>& codes) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

}  // namespace

std::string retorna_cfop_vendas(const CfopArgs& a) {
  char first = '5';
  if (a.uforigem != a.ufdestino) first = a.ufdestino == "EX" ? '7' : '6';

  const bool to_non_contributor = first == '6' && a.naocontribuinte == "S";
  std::string_view suffix = "999";
  if (a.tipoempresa == "S") {
    if (one_of(a.sittrib, kCsosnNormal)) suffix = to_non_contributor ? "108" : "102";
    if (a.sittrib == "500") suffix = first == '6' ? "404" : "405";
  } else if (a.tipoempresa == "P" || a.tipoempresa == "R") {
    if (one_of(a.sittrib, kCstNormal)) {
      suffix = to_non_contributor ? "108" : "102";
    } else if (a.sittrib == "60") {
      // Substitution to another state is 6108 whoever buys, not the 6404
      // of the CSOSN code 500.
      suffix = first == '6' ? "108" : "405";
    }
  }
  if (!a.sufixo1.empty()) suffix = a.sufixo1;
  if (!a.sufixo2.empty()) suffix = a.sufixo2;

  if (suffix == "999") return "9999";
  std::string cfop(1, first);
  cfop += suffix;
  return cfop;
}

}  // namespace kovo
