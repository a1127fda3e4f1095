// The argument structs of the four database operations and of the CFOP
// derivation, generated from the one list in kovolink_args.h.
#pragma once

#include <cstdint>
#include <string_view>

#include "kovolink_args.h"

namespace kovo {

// Texts are borrowed Windows-1252 bytes: the caller keeps them alive for the
// call. An empty view is the empty text (a host's nil).
using ArgINT = std::int32_t;
using ArgTEXT = std::string_view;
using ArgAMOUNT = double;
using ArgDATE = double;

#define KOVO_CPP_DECLARE(kind, name) Arg##kind name{};

struct NotasArgs {
  KOVO_NOTAS_ARGS(KOVO_CPP_DECLARE)
};

struct ItensNotasArgs {
  KOVO_ITENSNOTAS_ARGS(KOVO_CPP_DECLARE)
};

struct ContasNotasArgs {
  KOVO_CONTASNOTAS_ARGS(KOVO_CPP_DECLARE)
};

struct CupomArgs {
  KOVO_CUPOM_ARGS(KOVO_CPP_DECLARE)
};

struct CfopArgs {
  KOVO_CFOP_ARGS(KOVO_CPP_DECLARE)
};

#undef KOVO_CPP_DECLARE

}  // namespace kovo
