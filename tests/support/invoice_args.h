// Arguments that make valid calls of the four operations, and the issuer
// rows they find: shared by the operation and reliability suites and the
// reliability driver programs.
#pragma once

#include <cstdint>

#include "args.h"
#include "issuer_rows.h"
#include "sql/connection.h"

namespace kovo::test {

// Day count of a calendar date (days since 30 December 1899).
double day_count(int year, int month, int day);
// The fraction of a day for a time of day.
double time_of_day(int hours, int minutes, int seconds);

// A valid header with no remarks, lookups that find nothing and no coupon.
NotasArgs header_args();
// A valid item of invoice `idnota` that completes nothing and earns no credit.
ItensNotasArgs item_args(std::int32_t idnota);

// A Simples Nacional company with PIS and COFINS rates, whose counter is
// `counter`.
Settings full_settings(std::int64_t counter);
// The customer, carrier and product that full_header and full_item find.
void seed_lookups(Connection& connection);

inline constexpr std::int32_t kCustomerId = 7;
inline constexpr std::int32_t kCarrierId = 8;
inline constexpr std::int32_t kProductId = 9;
inline constexpr std::int32_t kCoo = 4512;

// A header that runs every statement: the credit remark is made, customer
// and carrier are found, the coupon is linked.
NotasArgs full_header();
// An item whose product is found, with PIS and COFINS completed and the
// Simples Nacional credit earned.
ItensNotasArgs full_item(std::int32_t idnota);
ContasNotasArgs instalment(std::int32_t idnota, std::int32_t parcela);
CupomArgs coupon(std::int32_t idnota);

}  // namespace kovo::test
