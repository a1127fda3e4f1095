// Invoices per second, one transaction per invoice: the library's
// operations against the baseline, which sends the identical statement
// texts (taken once from the library) straight to the same engine through
// its own interface. The ratio of the two is the library's whole overhead.
//
// The two sides alternate in the same loop, a batch of invoices each, in
// the order library-baseline, then baseline-library, and so on; each batch
// is timed on its own. Whatever else the machine does lands on both
// sides alike, and the median of the per-pair ratios ignores the pairs a
// burst of other work did hit. Between batches, untimed, each side empties
// the written tables and resets the invoice counter: the library's texts
// stay identical to the captured ones (ids 1..kBatch again) and both sides
// always work on tables of the same size.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "alloc_count.h"
#include "bench_databases.h"
#include "invoice_fixture.h"
#include "invoice_runs.h"

namespace kovo::bench {
namespace {

// Invoices per side in each pair, and seconds of timed work (both sides):
// commits that wait for the disk take milliseconds, so those engines run
// shorter batches for longer, to get enough pairs.
struct Plan {
  int invoices_per_side;
  double min_time;
};

Plan plan_for(Engine engine) { return is_durable(engine) ? Plan{2, 12.0} : Plan{kBatch, 4.0}; }

struct Clocks {
  double wall;
  double cpu;  // of this thread: an engine's helper threads are left out
};

Clocks now() {
  timespec cpu{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
  const auto wall = std::chrono::steady_clock::now().time_since_epoch();
  return {std::chrono::duration<double>(wall).count(), static_cast<double>(cpu.tv_sec) + static_cast<double>(cpu.tv_nsec) * 1e-9};
}

struct Batch {
  Clocks time;
  std::uint64_t allocations;
};

template <typename Work>
Batch timed(Work work) {
  const Clocks start = now();
  const std::uint64_t allocations = allocations_so_far().calls;
  work();
  const Clocks end = now();
  return {{end.wall - start.wall, end.cpu - start.cpu}, allocations_so_far().calls - allocations};
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void BM_LibraryVersusBaseline(benchmark::State& state, Engine engine) {
  std::string reason;
  if (!engine_available(engine, &reason)) {
    state.SkipWithError(reason.c_str());
    for (auto _ : state) {
    }
    return;
  }
  const std::vector<InvoiceStatements>& batch = captured_batch();
  Connection& library = shared_library_database(engine);
  RawEngine& baseline = shared_raw_database(engine);
  run_all(library, reset_statements());
  run_all(baseline, reset_statements());

  // Each side registers the ids 1..kBatch in turn and is reset, untimed,
  // after the last.
  const int per_side = plan_for(engine).invoices_per_side;
  int library_next = 0;
  int baseline_next = 0;
  auto library_batch = [&] {
    for (int n = 0; n < per_side; ++n, ++library_next) library_invoice(library);
  };
  auto baseline_batch = [&] {
    for (int n = 0; n < per_side; ++n, ++baseline_next) baseline_invoice(baseline, batch[baseline_next]);
  };

  std::vector<double> library_wall, baseline_wall, wall_ratio, cpu_ratio;
  std::uint64_t library_allocations = 0;
  std::uint64_t baseline_allocations = 0;
  bool library_first = true;
  for (auto _ : state) {
    Batch lib{}, base{};
    if (library_first) {
      lib = timed(library_batch);
      base = timed(baseline_batch);
    } else {
      base = timed(baseline_batch);
      lib = timed(library_batch);
    }
    library_first = !library_first;
    state.SetIterationTime(lib.time.wall + base.time.wall);
    library_wall.push_back(lib.time.wall);
    baseline_wall.push_back(base.time.wall);
    wall_ratio.push_back(base.time.wall / lib.time.wall);
    cpu_ratio.push_back(base.time.cpu / lib.time.cpu);
    library_allocations += lib.allocations;
    baseline_allocations += base.allocations;
    if (library_next == kBatch) {
      run_all(library, reset_statements());
      library_next = 0;
    }
    if (baseline_next == kBatch) {
      run_all(baseline, reset_statements());
      baseline_next = 0;
    }
  }
  if (wall_ratio.empty()) return;
  const double invoices = per_side;
  state.counters["library_invoices_per_s"] = invoices / median(library_wall);
  state.counters["baseline_invoices_per_s"] = invoices / median(baseline_wall);
  state.counters["ratio"] = median(wall_ratio);
  state.counters["ratio_cpu"] = median(cpu_ratio);
  const double all = invoices * static_cast<double>(wall_ratio.size());
  state.counters["library_allocs_per_invoice"] = static_cast<double>(library_allocations) / all;
  state.counters["baseline_allocs_per_invoice"] = static_cast<double>(baseline_allocations) / all;
}

const int registered = [] {
  for (Engine engine : kEngines) {
    benchmark::RegisterBenchmark((std::string("invoice/library_vs_baseline/") + engine_name(engine)).c_str(),
                                 BM_LibraryVersusBaseline, engine)
        ->UseManualTime()
        ->MinTime(plan_for(engine).min_time)
        ->Repetitions(1)
        ->Unit(benchmark::kMillisecond);
  }
  return 0;
}();

}  // namespace
}  // namespace kovo::bench
