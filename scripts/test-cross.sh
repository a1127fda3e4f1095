#!/usr/bin/env bash
# The 32-bit builds:
#   1. the i686-linux preset: the whole library and its tests built for 32-bit
#      x86 Linux and run under qemu-i386 (CMAKE_CROSSCOMPILING_EMULATOR), with
#      the boundary tests driving libkovolink_host.so from an assembly caller
#      that behaves like a register-convention host;
#   2. the mingw preset: build/mingw/kovolink.dll, whose export table, stack
#      cleanup and imports are then checked, and whose own objects must hold
#      no static initialiser (nothing runs at load or unload).
# Both parts run even when the first fails; the exit status says whether all
# passed.
set -uo pipefail
cd "$(dirname "$0")/.."
jobs=${KOVO_JOBS:-2}
failed=()

step() {
  local name=$1
  shift
  "$@" || failed+=("$name")
}

# The i686-linux test preset leaves out the Firebird tests: Debian's 32-bit
# Firebird engine cannot be installed beside the 64-bit one (their libib-util
# packages collide), so there is no 32-bit engine to run them on; the native
# builds run them.
echo "== i686-linux: build, then every test under qemu-i386"
if cmake --preset i686-linux && cmake --build --preset i686-linux -j "$jobs"; then
  step "i686-linux tests" ctest --preset i686-linux -j "$jobs"
else
  failed+=("i686-linux build")
fi

echo "== mingw: kovolink.dll"
if cmake --preset mingw && cmake --build --preset mingw -j "$jobs" --target kovolink; then
  step "kovolink.dll exports and imports" tests/boundary/check_dll.sh build/mingw/kovolink.dll
  step "kovolink.dll load-time work" tests/boundary/check_no_load_work.sh build/mingw
else
  failed+=("kovolink.dll build")
fi

if ((${#failed[@]})); then
  printf 'FAILED: %s\n' "${failed[@]}" >&2
  exit 1
fi
echo "32-bit builds: all passed"
