// Composing the NOTAS and ITENSNOTAS statements, each on a new runner as a
// call does, beside the engine executing the very texts composed: SQLite in
// memory through its own interface, the cheapest engine there is to set
// the composition against.
#include <benchmark/benchmark.h>

#include <vector>

#include "allocation_counter.h"
#include "statistics.h"
#include "bench_databases.h"
#include "invoice_fixture.h"
#include "statement_fixture.h"

namespace kovo::bench {
namespace {

// Distinct invoice ids per batch; the engine's table is emptied after each.
constexpr std::int32_t kBatch = 500;

void BM_ComposeNotas(benchmark::State& state) {
  const NotasArgs& args = sample_invoice().header;
  const HeaderValues values = sample_header_values(kFirstInvoiceId);
  AllocationMeter meter;
  for (auto _ : state) {
    StatementRunner runner(nullptr);
    compose_notas_insert(runner, args, values);
    benchmark::DoNotOptimize(runner.text().data());
  }
  meter.report(state);
  state.counters["bytes"] = static_cast<double>(notas_statement(kFirstInvoiceId).size());
}

void BM_ComposeItensNotas(benchmark::State& state) {
  ItensNotasArgs args = sample_invoice().items.front();
  args.idnota = kFirstInvoiceId;
  const ItemValues values = sample_item_values();
  AllocationMeter meter;
  for (auto _ : state) {
    StatementRunner runner(nullptr);
    compose_itensnotas_insert(runner, args, values);
    benchmark::DoNotOptimize(runner.text().data());
  }
  meter.report(state);
  state.counters["bytes"] = static_cast<double>(itensnotas_statement(kFirstInvoiceId).size());
}

// Executes texts[i] in turn inside one transaction, rolled back (untimed)
// after each batch so that the table stays small and the ids free.
void execute_batches(benchmark::State& state, const std::vector<std::string>& texts) {
  ScratchDir dir;
  auto engine = raw_database(Engine::SqliteMemory, dir);
  engine->begin();
  std::size_t i = 0;
  for (auto _ : state) {
    engine->execute(texts[i]);
    if (++i == texts.size()) {
      state.PauseTiming();
      engine->rollback();
      engine->begin();
      i = 0;
      state.ResumeTiming();
    }
  }
  engine->rollback();
}

void BM_EngineNotas(benchmark::State& state) {
  static const std::vector<std::string> texts = [] {
    std::vector<std::string> t;
    for (std::int32_t id = 1; id <= kBatch; ++id) t.push_back(notas_statement(id));
    return t;
  }();
  execute_batches(state, texts);
}

void BM_EngineItensNotas(benchmark::State& state) {
  static const std::vector<std::string> texts(kBatch, itensnotas_statement(kFirstInvoiceId));
  execute_batches(state, texts);
}

}  // namespace

BENCHMARK(BM_ComposeNotas)->Name("statement/compose/NOTAS")->Apply(with_minimum);
BENCHMARK(BM_EngineNotas)->Name("statement/engine_executes/NOTAS")->Apply(with_minimum);
BENCHMARK(BM_ComposeItensNotas)->Name("statement/compose/ITENSNOTAS")->Apply(with_minimum);
BENCHMARK(BM_EngineItensNotas)->Name("statement/engine_executes/ITENSNOTAS")->Apply(with_minimum);

}  // namespace kovo::bench
