// The library's operations as C++ functions over a connection and argument
// structs. Each runs in the call frame: a database error is reported and
// turned into the failure result (false, or -1 for incluir_notas); any other
// failure (ConversionError, std::bad_alloc, ...) propagates to the caller.
#pragma once

#include <cstdint>
#include <string>

#include "args.h"
#include "sql/connection.h"

namespace kovo {

// Registers an invoice header; returns its new id, or -1.
std::int32_t incluir_notas(Connection* conexao, const NotasArgs& args);
// Registers one invoice item.
bool incluir_itensnotas(Connection* conexao, const ItensNotasArgs& args);
// Registers one instalment of an invoice.
bool incluir_contasnotas(Connection* conexao, const ContasNotasArgs& args);
// Links an invoice to a fiscal-printer coupon.
bool incluir_cupom(Connection* conexao, const CupomArgs& args);

// Derives the four-digit CFOP of a sale (or "9999"). Pure; never fails.
std::string retorna_cfop_vendas(const CfopArgs& args);

}  // namespace kovo
