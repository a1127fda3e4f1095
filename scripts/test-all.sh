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
