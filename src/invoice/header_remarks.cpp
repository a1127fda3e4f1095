#include "invoice/header_remarks.h"

#include "talpa_funcs/talpa_funcs.h"

namespace kovo {

namespace {
constexpr std::string_view kCreditRemark =
    "PERMITE APROVEITAMENTO DE CR\xC9"
    "DITO DE ICMS NO VALOR DE R$ ";
}  // namespace

std::string icms_credit_remark(double aliqsn, double base) {
  // Rate divided first, then multiplied, all in extended precision.
  const Extended credit = static_cast<Extended>(aliqsn) / 100 * static_cast<Extended>(base);
  const Extended rounded = arredonda(credit, 2);
  std::string remark(kCreditRemark);
  append_money_text(remark, rounded);
  return remark;
}

}  // namespace kovo
