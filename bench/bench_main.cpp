// Runs the benchmarks and prints the ratio table (ratio_report.h).
#include <benchmark/benchmark.h>

#include <iostream>

#include "bench_databases.h"
#include "ratio_report.h"

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  kovo::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  kovo::bench::release_shared_databases();
  benchmark::Shutdown();
  const int missed = reporter.print_ratios(std::cout);
  std::cout << (missed ? "\n" + std::to_string(missed) + " target(s) missed in this run.\n"
                       : "\nEvery target met in this run.\n");
  return 0;
}
