#!/usr/bin/env bash
# The release jobs, one section each:
#   1. the release build (benchmarks included, so that they cannot rot);
#   2. memcheck: a thousand mixed calls under valgrind, with zero errors and
#      zero leaks (a build without sanitizers, which valgrind cannot run);
#   3. fuzzing: each libFuzzer target for a bounded time from its seed
#      corpus, in a clang build of its own.
# KOVO_JOBS sets the build's parallelism, KOVO_FUZZ_SECONDS each fuzzer's time.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${KOVO_JOBS:-2}
fuzz_seconds=${KOVO_FUZZ_SECONDS:-60}

echo "== release build"
cmake --preset release
cmake --build --preset release -j "$jobs"

echo "== memcheck: a thousand mixed calls under valgrind"
cmake --build --preset release -j "$jobs" --target mixed_calls
valgrind --quiet --error-exitcode=1 --leak-check=full \
  --errors-for-leak-kinds=definite,indirect,possible --show-leak-kinds=definite,indirect,possible \
  build/release/tests/reliability/mixed_calls

echo "== fuzzing: each target for ${fuzz_seconds} s"
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKOVO_BUILD_FUZZ=ON -DKOVO_BUILD_TESTS=OFF
cmake --build build/fuzz -j "$jobs" --target fuzz_literal_forms fuzz_cfop fuzz_json_reader
for target in literal_forms cfop json_reader; do
  echo "-- fuzz_${target}"
  # A scratch copy of the seeds: what the run finds stays out of the repository.
  work=$(mktemp -d)
  cp -R "fuzz/corpus/${target}/." "$work/"
  log="build/fuzz/fuzz_${target}.log"
  if ! "build/fuzz/fuzz/fuzz_${target}" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix=build/fuzz/ "$work" >"$log" 2>&1; then
    rm -rf "$work"
    grep -v '^#[0-9]' "$log" | tail -n 60 >&2
    echo "fuzz_${target} failed; the input that made it fail is in build/fuzz/" >&2
    exit 1
  fi
  rm -rf "$work"
  grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" || true
done
