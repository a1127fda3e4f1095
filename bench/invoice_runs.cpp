#include "invoice_runs.h"

#include "bench_databases.h"
#include "invoice_fixture.h"

namespace kovo::bench {

const std::vector<InvoiceStatements>& captured_batch() {
  static const std::vector<InvoiceStatements> batch = [] {
    ScratchDir dir;
    auto connection = library_database(Engine::SqliteMemory, dir);
    StatementLog log(*connection);
    std::vector<InvoiceStatements> invoices;
    for (int n = 0; n < kBatch; ++n) {
      log.statements.clear();
      connection->begin();
      register_invoice(log, sample_invoice());
      connection->commit();
      invoices.push_back(log.statements);
    }
    return invoices;
  }();
  return batch;
}

void library_invoice(Connection& connection) {
  connection.begin();
  register_invoice(connection, sample_invoice());
  connection.commit();
}

void baseline_invoice(RawEngine& engine, const InvoiceStatements& statements) {
  engine.begin();
  for (const LoggedStatement& s : statements) {
    if (s.is_query) {
      engine.query(s.text);
    } else {
      engine.execute(s.text);
    }
  }
  engine.commit();
}

}  // namespace kovo::bench
