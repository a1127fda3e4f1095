#include "ratio_report.h"

#include <cstdio>
#include <optional>

namespace kovo::bench {
namespace {

enum class Bound { AtMost, None };

// numerator / denominator of the two benchmarks' CPU times per iteration.
struct TimeRatio {
  const char* label;
  const char* numerator;
  const char* denominator;
  Bound bound;
  double target;
};

const TimeRatio kRatios[] = {
    {"general number text, double / to_chars(double, scientific, 17)",
     "literal/general_number_text/double/append", "literal/to_chars_scientific17/double",
     Bound::AtMost, 2.0},
    {"  the same, returning a new text", "literal/general_number_text/double/returned",
     "literal/to_chars_scientific17/double", Bound::AtMost, 2.0},
    {"general number text, double / shortest to_chars(double)", "literal/general_number_text/double/append",
     "literal/to_chars_shortest/double", Bound::None, 0},
    {"general number text, extended / to_chars(long double, scientific, 17)",
     "literal/general_number_text/extended/append", "literal/to_chars_scientific17/extended",
     Bound::None, 0},
    {"compose NOTAS / SQLite (memory) executes it", "statement/compose/NOTAS",
     "statement/engine_executes/NOTAS", Bound::AtMost, 0.10},
    {"compose ITENSNOTAS / SQLite (memory) executes it", "statement/compose/ITENSNOTAS",
     "statement/engine_executes/ITENSNOTAS", Bound::AtMost, 0.10},
};

// Ratios a benchmark computes itself (the paired invoice runs), with the
// CPU-time ratio of the same runs beside them.
struct CounterRatio {
  const char* label;
  const char* benchmark;
  double at_least;
};

const CounterRatio kInvoiceRatios[] = {
    {"invoices/s library / baseline, SQLite in memory", "invoice/library_vs_baseline/sqlite_memory", 0.90},
    {"invoices/s library / baseline, SQLite file, commits not synced", "invoice/library_vs_baseline/sqlite_file",
     0.95},
    {"invoices/s library / baseline, SQLite file, commits synced", "invoice/library_vs_baseline/sqlite_file_synced",
     0.95},
    {"invoices/s library / baseline, Firebird embedded, no forced writes",
     "invoice/library_vs_baseline/firebird_embedded", 0.95},
    {"invoices/s library / baseline, Firebird embedded, forced writes",
     "invoice/library_vs_baseline/firebird_embedded_forced_writes", 0.95},
};

// Heap allocations per iteration, or the named counter.
struct AllocationFigure {
  const char* label;
  const char* benchmark;
  const char* counter;
  std::optional<double> at_most;
};

const AllocationFigure kAllocations[] = {
    {"general number text (double), appended", "literal/general_number_text/double/append", "allocs", 0.0},
    {"general number text (double), returned (the text itself when longer than 15)",
     "literal/general_number_text/double/returned", "allocs", 1.0},
    {"composing NOTAS, new runner", "statement/compose/NOTAS", "allocs", std::nullopt},
    {"composing ITENSNOTAS, new runner", "statement/compose/ITENSNOTAS", "allocs", std::nullopt},
    {"one invoice, library, SQLite in memory", "invoice/library_vs_baseline/sqlite_memory",
     "library_allocs_per_invoice", std::nullopt},
    {"one invoice, baseline, SQLite in memory", "invoice/library_vs_baseline/sqlite_memory",
     "baseline_allocs_per_invoice", std::nullopt},
};

std::string fixed(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

void line(std::ostream& out, const std::string& label, const std::string& value, const std::string& target,
          const std::string& verdict) {
  char buf[256];
  std::snprintf(buf, sizeof buf, "  %-70s %22s  %-8s %s\n", label.c_str(), value.c_str(), target.c_str(),
                verdict.c_str());
  out << buf;
}

}  // namespace

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
  // The console shows one line per benchmark: its run, or the fastest of
  // its repetitions.
  std::vector<Run> shown;
  for (const Run& run : runs) {
    const bool minimum = run.run_type == Run::RT_Aggregate && run.aggregate_name == "min";
    const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
    if (minimum || single || run.error_occurred) shown.push_back(run);
  }
  for (const Run& run : runs) {
    if (run.error_occurred) continue;
    const std::string name = run.run_name.function_name;
    const bool minimum = run.run_type == Run::RT_Aggregate && run.aggregate_name == "min";
    const bool single = run.run_type == Run::RT_Iteration;
    if (!minimum && !(single && !from_minimum_[name])) continue;
    Measurement m;
    m.real_time = run.GetAdjustedRealTime();
    m.cpu_time = run.GetAdjustedCPUTime();
    for (const auto& [counter, value] : run.counters) m.counters[counter] = value.value;
    results_[name] = m;
    if (minimum) from_minimum_[name] = true;
  }
  if (!shown.empty()) ConsoleReporter::ReportRuns(shown);
}

const Measurement* RatioReporter::find(const std::string& name) const {
  auto it = results_.find(name);
  return it == results_.end() ? nullptr : &it->second;
}

int RatioReporter::print_ratios(std::ostream& out) const {
  int missed = 0;
  out << "\nRatios, all measured in this run: the fastest repetition of each\n"
         "benchmark; for invoices, the median over alternating batches of the two\n"
         "sides' wall-clock times (their CPU-time ratio beside it). Targets are\n"
         "information, not a test: a busy machine moves every figure.\n\n";
  for (const TimeRatio& r : kRatios) {
    const Measurement* a = find(r.numerator);
    const Measurement* b = find(r.denominator);
    if (!a || !b) {
      line(out, r.label, "-", "", "not measured");
      continue;
    }
    const double ratio = a->cpu_time / b->cpu_time;
    std::string target;
    std::string verdict;
    if (r.bound != Bound::None) {
      const bool met = ratio <= r.target;
      target = "<= " + fixed(r.target, 2);
      verdict = met ? "met" : "MISSED";
      if (!met) ++missed;
    }
    line(out, r.label, fixed(ratio, 3), target, verdict);
  }
  for (const CounterRatio& r : kInvoiceRatios) {
    const Measurement* m = find(r.benchmark);
    if (!m || !m->counters.count("ratio")) {
      line(out, r.label, "-", "", "not measured");
      continue;
    }
    const double ratio = m->counters.at("ratio");
    const bool met = ratio >= r.at_least;
    if (!met) ++missed;
    line(out, r.label, fixed(ratio, 3) + " (cpu " + fixed(m->counters.at("ratio_cpu"), 3) + ")",
         ">= " + fixed(r.at_least, 2), met ? "met" : "MISSED");
  }
  out << "\nHeap allocations per call / statement / invoice (the benchmark's own thread):\n\n";
  for (const AllocationFigure& f : kAllocations) {
    const Measurement* m = find(f.benchmark);
    auto it = m ? m->counters.find(f.counter) : decltype(m->counters.end()){};
    if (!m || it == m->counters.end()) {
      line(out, f.label, "-", "", "not measured");
      continue;
    }
    std::string target;
    std::string verdict;
    if (f.at_most) {
      const bool met = it->second <= *f.at_most + 1e-9;
      target = "<= " + fixed(*f.at_most, 0);
      verdict = met ? "met" : "MISSED";
      if (!met) ++missed;
    }
    line(out, f.label, fixed(it->second, 2), target, verdict);
  }
  return missed;
}

}  // namespace kovo::bench
