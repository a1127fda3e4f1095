#!/usr/bin/env bash
# The 32-bit builds:
#   1. the i686-linux preset: the whole library and its tests built for 32-bit
#      x86 Linux and run under qemu-i386 (CMAKE_CROSSCOMPILING_EMULATOR), with
#      the boundary tests driving libkovolink_host.so from an assembly caller
#      that behaves like a register-convention host;
#   2. the mingw preset: build/mingw/kovolink.dll, whose export table, stack
#      cleanup and imports are then checked, and whose own objects must hold
#      no static initialiser (nothing runs at load or unload).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${KOVO_JOBS:-2}

# The i686-linux test preset leaves out the Firebird tests: Debian's 32-bit
# Firebird engine cannot be installed beside the 64-bit one (their libib-util
# packages collide), so there is no 32-bit engine to run them on; the native
# builds run them.
echo "== i686-linux: build, then every test under qemu-i386"
cmake --preset i686-linux
cmake --build --preset i686-linux -j "$jobs"
ctest --preset i686-linux -j "$jobs"

echo "== mingw: kovolink.dll"
cmake --preset mingw
cmake --build --preset mingw -j "$jobs" --target kovolink
tests/boundary/check_dll.sh build/mingw/kovolink.dll
tests/boundary/check_no_load_work.sh build/mingw
