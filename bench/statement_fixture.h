// The NOTAS and ITENSNOTAS statements of the sample invoice, composed by the
// library's own row writers with the values its calls derive.
#pragma once

#include <cstdint>
#include <string>

#include "invoice/itensnotas_row.h"
#include "invoice/notas_row.h"

namespace kovo::bench {

// What the header call derives for the sample invoice with id `id`.
HeaderValues sample_header_values(std::int32_t id);
// What the item call derives for the first item of the sample invoice.
ItemValues sample_item_values();

std::string notas_statement(std::int32_t id);
std::string itensnotas_statement(std::int32_t idnota);

}  // namespace kovo::bench
