// The two remarks a Simples Nacional company's invoice header carries.
#pragma once

#include <string>
#include <string_view>

namespace kovo {

// Replaces obs7 (Windows-1252, 92 bytes).
inline constexpr std::string_view kSimplesNacionalRemark =
    "DOCUMENTO EMITIDO POR ME OU EPP OPTANTE PELO SIMPLES NACIONAL N\xC3O GERA "
    "CR\xC9"
    "DITO FISCAL DE IPI";
static_assert(kSimplesNacionalRemark.size() == 92);

// Replaces obs6: the fixed text and the credit aliqsn% of `base`, rounded to
// cents half away from zero, as money text ("... R$ 1.234,56"). Throws
// ConversionError for a non-finite credit.
std::string icms_credit_remark(double aliqsn, double base);

}  // namespace kovo
