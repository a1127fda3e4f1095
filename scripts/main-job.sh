#!/usr/bin/env bash
# The main job: installs what is missing, builds the library and the tool,
# and runs `kovolink demo` on the embedded default (a fresh SQLite file), or
# on the target given as the first argument (e.g. firebird:/tmp/demo.fdb).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${KOVO_JOBS:-2}

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs" --target kovolink_cli
exec build/release/src/cli/kovolink demo "$@"
