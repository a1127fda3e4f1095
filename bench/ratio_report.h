// Collects the results of the run as the console shows them and, at the
// end, prints the ratios the performance targets are stated in, each with
// its target and whether this run met it. Where a benchmark was repeated
// the fastest repetition ("min", see statistics.h) stands for it. The verdicts are information for
// the reader; nothing fails on them.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace kovo::bench {

struct Measurement {
  double real_time = 0;  // per iteration, in the benchmark's time unit
  double cpu_time = 0;
  std::map<std::string, double> counters;
};

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;
  // The ratio table; returns how many targets this run missed.
  int print_ratios(std::ostream& out) const;

 private:
  const Measurement* find(const std::string& name) const;

  std::map<std::string, Measurement> results_;
  std::map<std::string, bool> from_minimum_;
};

}  // namespace kovo::bench
