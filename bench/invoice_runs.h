// One invoice, one transaction, both ways: through the library, and as the
// baseline that sends the library's captured statement texts straight to
// the engine. Shared by the benchmark and by the profiling driver.
#pragma once

#include <vector>

#include "raw_engine.h"
#include "sql/connection.h"
#include "statement_log.h"

namespace kovo::bench {

// Invoices registered between two resets of the written tables; the
// invoice ids run 1..kBatch in every batch.
inline constexpr int kBatch = 20;

using InvoiceStatements = std::vector<LoggedStatement>;

// The statements of kBatch successive invoices of sample_invoice(), as the
// library sends them (captured once, on SQLite in memory).
const std::vector<InvoiceStatements>& captured_batch();

void library_invoice(Connection& connection);
void baseline_invoice(RawEngine& engine, const InvoiceStatements& statements);

}  // namespace kovo::bench
