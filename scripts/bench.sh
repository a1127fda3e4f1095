#!/usr/bin/env bash
# Builds the release preset and runs the benchmarks: the literal forms,
# statement composition, whole invoices against a same-text baseline on
# every engine, and the memory check; then prints the ratios the
# performance targets are stated in, each with its target and whether this
# run met it. The verdicts are information, not a test: the script fails
# only when something does not build or does not run. Extra arguments go to
# the benchmark program (for example --benchmark_filter=invoice/ or
# --benchmark_out=bench.json).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${KOVO_JOBS:-2}

scripts/install-deps.sh

echo "== build (release preset)"
cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs" --target kovolink_bench kovolink_memory

echo "== benchmarks"
# Three repetitions, interleaved, of every benchmark but the paired invoice
# runs (which alternate their two sides themselves); the fastest one counts.
build/release/bench/kovolink_bench \
  --benchmark_min_time=0.3 \
  --benchmark_repetitions=3 \
  --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true \
  "$@"

echo
echo "== memory"
build/release/bench/kovolink_memory sqlite_file
