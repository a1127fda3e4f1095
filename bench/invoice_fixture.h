// A realistic sale as the host sends it: one header, ten items, two
// instalments and a coupon link, for a Simples Nacional company whose
// customer, carrier and products are on file. The header earns the ICMS
// credit remark, some items complete their PIS/COFINS and some earn the
// Simples Nacional credit, so every literal form and both roundings run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "args.h"
#include "sql/connection.h"

namespace kovo::bench {

struct Invoice {
  NotasArgs header;
  std::vector<ItensNotasArgs> items;  // idnota is set when registering
  std::vector<ContasNotasArgs> instalments;
  CupomArgs coupon;
};

const Invoice& sample_invoice();

// Registers every part of `invoice` through the operations, without a
// transaction of its own; returns the new invoice id. Throws
// std::runtime_error when an operation reports failure.
std::int32_t register_invoice(Connection& connection, const Invoice& invoice);

// Registrations (operation calls) that one invoice makes.
int registrations_per_invoice(const Invoice& invoice);

// The issuer's rows the sale refers to: settings, customers, carriers and
// products, as plain SQL that every engine takes.
std::vector<std::string> seed_statements();

// Empties the written tables and puts the invoice counter back to the first
// id, so that a batch of registrations can be repeated on the same state.
std::vector<std::string> reset_statements();

// The first invoice id after reset_statements().
inline constexpr std::int32_t kFirstInvoiceId = 1;

}  // namespace kovo::bench
