#!/usr/bin/env bash
# Installs every Debian package the build and the tests need, on a fresh
# Debian 12 machine (run as root). Safe to run again: it only installs what
# is missing.
set -euo pipefail

need=(
  build-essential cmake ninja-build pkg-config
  googletest libgtest-dev libbenchmark-dev
  sqlite3 libsqlite3-0
  firebird3.0-server-core firebird3.0-utils libfbclient2
  g++-mingw-w64-i686 g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-i686-linux-gnu qemu-user
  libsqlite3-0:i386 libstdc++6:i386 libgcc-s1:i386 libc6:i386
  valgrind clang libclang-rt-14-dev
)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  stale=1
fi

missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
