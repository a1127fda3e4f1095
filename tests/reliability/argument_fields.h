// The fields of each argument struct by kind, with the column each one
// fills, taken from the one argument list so that a new argument is covered
// without touching the suites.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "args.h"

namespace kovo::test {

template <typename Args>
struct Field {
  std::string column;  // upper case
  std::string_view Args::*text = nullptr;
  std::int32_t Args::*integer = nullptr;
  double Args::*number = nullptr;  // an amount or a date
};

template <typename Args>
struct Fields {
  std::vector<Field<Args>> texts, integers, amounts, dates;
};

// Every argument that fills a column of its operation's row, by kind;
// lookups, the coupon number of a header and the arguments no row carries
// are left out.
const Fields<NotasArgs>& notas_fields();
const Fields<ItensNotasArgs>& itensnotas_fields();
const Fields<ContasNotasArgs>& contasnotas_fields();
const Fields<CupomArgs>& cupom_fields();

}  // namespace kovo::test
