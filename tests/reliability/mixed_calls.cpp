// A thousand mixed calls, as a host makes them, for the memory checkers:
// invoices registered in transactions (some rolled back), CFOP
// derivations, calls the engine refuses, calls that fail outside the
// database, calls without a connection and calls whose connection fails at
// some operation. It checks its own outcome and exits non-zero on any
// surprise; valgrind (or the sanitizers) add the memory verdict.
//
//   mixed_calls [sqlite TARGET]     default: a new database in memory
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "fault_injecting_connection.h"
#include "interface/error_report.h"
#include "invoice_args.h"
#include "issuer_rows.h"
#include "operations.h"
#include "sql/database_error.h"
#include "sql/schema_loader.h"
#include "sql/statement_runner.h"
#include "talpa_funcs/talpa_funcs.h"

namespace {

using namespace kovo;
using namespace kovo::test;

constexpr int kCalls = 1000;

struct Tally {
  int calls = 0;
  int reports = 0;
  int expected_reports = 0;
  int conversion_failures = 0;
  int committed_invoices = 0;
  int surprises = 0;
};

void count_report(void* context, const char*, const char*) { ++static_cast<Tally*>(context)->reports; }

void surprise(Tally& tally, const std::string& what) {
  ++tally.surprises;
  std::fprintf(stderr, "mixed_calls: %s\n", what.c_str());
}

// One invoice: header, two items and an instalment in a transaction,
// committed or, every fifth one, rolled back. Five calls.
void invoice(Connection& db, int n, Tally& tally) {
  db.begin();
  NotasArgs header = full_header();
  header.numero = n;
  header.coo = n % 2 == 0 ? n : 0;
  const std::int32_t id = incluir_notas(&db, header);
  ++tally.calls;
  if (id == -1) surprise(tally, "header refused");
  for (int i = 0; i < 2; ++i) {
    ItensNotasArgs item = full_item(id);
    item.sittrib = i == 0 ? "101" : "0";
    if (!incluir_itensnotas(&db, item)) surprise(tally, "item refused");
    ++tally.calls;
  }
  if (!incluir_contasnotas(&db, instalment(id, 1))) surprise(tally, "instalment refused");
  ++tally.calls;
  if (!incluir_cupom(&db, coupon(id))) surprise(tally, "coupon refused");
  ++tally.calls;
  if (n % 5 == 4) {
    db.rollback();
  } else {
    db.commit();
    ++tally.committed_invoices;
  }
}

// Calls that fail: refused by the engine, failing outside the database,
// without a connection, and with a fault at an operation. Five calls.
void failures(Connection& db, int n, Tally& tally) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();

  // The engine refuses "NAN" as a value.
  if (incluir_contasnotas(&db, {n, 1, 45382, nan})) surprise(tally, "NaN instalment taken");
  ++tally.expected_reports;
  ++tally.calls;

  // No literal for an infinite due date, nor a rounding of an infinite total.
  try {
    if (n % 2 == 0) {
      incluir_contasnotas(&db, {n, 1, inf, 10});
    } else {
      ItensNotasArgs item = full_item(n);
      item.valortot = inf;
      incluir_itensnotas(&db, item);
    }
    surprise(tally, "no conversion failure");
  } catch (const ConversionError&) {
    ++tally.conversion_failures;
  }
  ++tally.calls;

  if (incluir_cupom(nullptr, coupon(n))) surprise(tally, "call without a connection succeeded");
  ++tally.expected_reports;
  ++tally.calls;

  // A fault at some operation of a header and of an item.
  FaultInjectingConnection faulty(db);
  faulty.fail_at(1 + n % 13);
  db.begin();
  if (incluir_notas(&faulty, full_header()) != -1) surprise(tally, "header ran past its fault");
  ++tally.expected_reports;
  ++tally.calls;
  FaultInjectingConnection faulty_item(db);
  faulty_item.fail_at(1 + n % 8);
  if (incluir_itensnotas(&faulty_item, full_item(n))) surprise(tally, "item ran past its fault");
  ++tally.expected_reports;
  ++tally.calls;
  db.rollback();
}

// Five CFOP derivations.
void cfops(int n, Tally& tally) {
  const char* regimes[] = {"S", "P", "R", "X", ""};
  const char* codes[] = {"101", "500", "00", "60", "999"};
  for (int i = 0; i < 5; ++i) {
    CfopArgs a;
    a.tipoempresa = regimes[(n + i) % 5];
    a.uforigem = "SP";
    a.ufdestino = i % 2 == 0 ? "SP" : "RJ";
    a.sittrib = codes[i];
    a.naocontribuinte = "S";
    a.sufixo1 = n % 7 == 0 ? "949" : "";
    const std::string cfop = retorna_cfop_vendas(a);
    if (cfop.size() < 4) surprise(tally, "short CFOP " + cfop);
    ++tally.calls;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string target = argc > 1 ? argv[1] : "sqlite::memory:";
  Tally tally;
  try {
    auto db = open_connection(target);
    apply_schema_file(*db, std::string(KOVO_SOURCE_DIR) + "/schema/sqlite.sql");
    seed_settings(*db, full_settings(1));
    seed_lookups(*db);
    set_error_report_hook(&count_report, &tally);

    for (int n = 0; tally.calls < kCalls; ++n) {
      invoice(*db, n, tally);
      failures(*db, n, tally);
      cfops(n, tally);
    }

    set_error_report_hook(nullptr, nullptr);
    if (tally.reports != tally.expected_reports) {
      surprise(tally, std::to_string(tally.reports) + " reports, expected " + std::to_string(tally.expected_reports));
    }
    if (count_rows(*db, "NOTAS") != tally.committed_invoices) surprise(tally, "NOTAS rows differ from the commits");
    if (count_rows(*db, "ITENSNOTAS") != 2 * tally.committed_invoices) surprise(tally, "ITENSNOTAS rows differ");
    if (StatementRunner::live_count() != 0) surprise(tally, "statement runners left alive");
  } catch (const std::exception& error) {
    surprise(tally, std::string("unexpected exception: ") + error.what());
  }
  std::printf("%d calls: %d invoices committed, %d reports, %d conversion failures, %d surprises\n", tally.calls,
              tally.committed_invoices, tally.reports, tally.conversion_failures, tally.surprises);
  return tally.surprises == 0 ? 0 : 1;
}
