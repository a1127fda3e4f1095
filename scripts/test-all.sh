#!/usr/bin/env bash
# Every test: installs what is missing, then builds and runs
#   1. the whole suite natively under address and undefined-behaviour sanitizers,
#   2. the 32-bit boundary tests under qemu-i386 and the Windows DLL checks,
#   3. the release build (benchmarks compile, so they cannot rot) with the
#      valgrind memcheck and the bounded fuzzing runs.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${KOVO_JOBS:-2}

scripts/install-deps.sh

# Everything below is also kept in a log, whose ctest summaries make the
# closing line.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
exec > >(tee "$log") 2>&1

echo "== native tests, address and undefined-behaviour sanitizers"
cmake --preset asan
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

if [[ -x scripts/test-cross.sh ]]; then
  echo "== 32-bit boundary under qemu-i386, and kovolink.dll"
  scripts/test-cross.sh
fi

if [[ -x scripts/test-release.sh ]]; then
  echo "== release build: benchmarks build, memcheck, fuzzing"
  scripts/test-release.sh
fi

# Every ctest run above passed (set -e stops at the first that fails): sum them.
total=$(sed -n 's/^100% tests passed, 0 tests failed out of \([0-9]*\)$/\1/p' "$log" |
        awk '{ n += $1 } END { print n + 0 }')
echo "kovolink: $total passed, 0 failed"

