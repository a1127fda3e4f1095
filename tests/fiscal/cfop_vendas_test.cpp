#include <gtest/gtest.h>

#include <string>

#include "operations.h"

namespace kovo {
namespace {

struct CfopCase {
  const char* tipoempresa;
  const char* sittrib;
  const char* uforigem;
  const char* ufdestino;
  const char* naocontribuinte;
  const char* sufixo1;
  const char* sufixo2;
  const char* expected;
};

std::string derive(const CfopCase& c) {
  CfopArgs a;
  a.tipoempresa = c.tipoempresa;
  a.sittrib = c.sittrib;
  a.uforigem = c.uforigem;
  a.ufdestino = c.ufdestino;
  a.naocontribuinte = c.naocontribuinte;
  a.sufixo1 = c.sufixo1;
  a.sufixo2 = c.sufixo2;
  return retorna_cfop_vendas(a);
}

// regime, code, from, to, non-contributor, override 1, override 2, CFOP
const CfopCase kCases[] = {
    // CSOSN table, every code of the normal-sale list, every destination.
    {"S", "101", "SP", "SP", "", "", "", "5102"},
    {"S", "102", "SP", "SP", "S", "", "", "5102"},
    {"S", "103", "SP", "RJ", "", "", "", "6102"},
    {"S", "300", "SP", "RJ", "N", "", "", "6102"},
    {"S", "400", "SP", "RJ", "S", "", "", "6108"},
    {"S", "900", "SP", "EX", "S", "", "", "7102"},
    {"S", "102", "SP", "EX", "", "", "", "7102"},
    {"S", "500", "SP", "SP", "", "", "", "5405"},
    {"S", "500", "SP", "RJ", "S", "", "", "6404"},
    {"S", "500", "SP", "RJ", "", "", "", "6404"},
    {"S", "500", "SP", "EX", "", "", "", "7405"},
    // Codes of the other table, or of neither.
    {"S", "00", "SP", "SP", "", "", "", "9999"},
    {"S", "201", "SP", "SP", "", "", "", "9999"},
    {"S", "60", "SP", "RJ", "", "", "", "9999"},
    {"P", "101", "SP", "SP", "", "", "", "9999"},
    {"P", "10", "SP", "SP", "", "", "", "9999"},
    {"P", "0", "SP", "SP", "", "", "", "9999"},
    {"R", "500", "SP", "SP", "", "", "", "9999"},
    // CST table, both regimes that select it.
    {"P", "00", "SP", "SP", "", "", "", "5102"},
    {"P", "20", "SP", "RJ", "", "", "", "6102"},
    {"R", "40", "SP", "RJ", "S", "", "", "6108"},
    {"R", "41", "SP", "EX", "S", "", "", "7102"},
    {"P", "50", "MG", "MG", "S", "", "", "5102"},
    {"P", "51", "MG", "BA", "N", "", "", "6102"},
    {"R", "90", "MG", "BA", "S", "", "", "6108"},
    {"P", "60", "SP", "SP", "", "", "", "5405"},
    {"P", "60", "SP", "RJ", "", "", "", "6108"},
    {"P", "60", "SP", "RJ", "N", "", "", "6108"},
    {"R", "60", "SP", "RJ", "S", "", "", "6108"},
    {"R", "60", "SP", "EX", "S", "", "", "7405"},
    // Exact, case-sensitive comparisons.
    {"s", "102", "SP", "SP", "", "", "", "9999"},
    {" S", "102", "SP", "SP", "", "", "", "9999"},
    {"S ", "102", "SP", "SP", "", "", "", "9999"},
    {"S", " 102", "SP", "SP", "", "", "", "9999"},
    {"S", "102", "SP", "RJ", "s", "", "", "6102"},
    {"", "102", "SP", "SP", "", "", "", "9999"},
    {"X", "00", "SP", "SP", "", "", "", "9999"},
    // The first digit.
    {"S", "102", "EX", "EX", "", "", "", "5102"},
    {"S", "102", "SP", "", "", "", "", "6102"},
    {"S", "102", "", "", "", "", "", "5102"},
    {"S", "102", "sp", "SP", "", "", "", "6102"},
    {"S", "102", "SP", "ex", "", "", "", "6102"},
    // Overrides: used whole, the second wins, whatever the table said.
    {"S", "102", "SP", "SP", "", "949", "", "5949"},
    {"S", "102", "SP", "SP", "", "949", "910", "5910"},
    {"S", "102", "SP", "SP", "", "", "910", "5910"},
    {"S", "102", "SP", "SP", "", "999", "", "9999"},
    {"S", "102", "SP", "SP", "", "949", "999", "9999"},
    {"S", "201", "SP", "RJ", "", "949", "", "6949"},
    {"X", "", "SP", "EX", "", "949", "", "7949"},
    {"P", "60", "SP", "SP", "", "12345", "", "512345"},
    {"S", "102", "SP", "SP", "", "1", "", "51"},
};

TEST(CfopVendas, FollowsTheTableAndTheOverrides) {
  for (const CfopCase& c : kCases) {
    SCOPED_TRACE(std::string(c.tipoempresa) + "/" + c.sittrib + " " + c.uforigem + "->" +
                 c.ufdestino + " nc=" + c.naocontribuinte + " s1=" + c.sufixo1 + " s2=" + c.sufixo2);
    EXPECT_EQ(derive(c), c.expected);
  }
}

TEST(CfopVendas, EveryTextEmptyGivesTheNoRuleCode) {
  EXPECT_EQ(retorna_cfop_vendas(CfopArgs{}), "9999");
}

}  // namespace
}  // namespace kovo
