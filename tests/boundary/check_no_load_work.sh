#!/usr/bin/env bash
# The library's own code must do nothing when kovolink.dll is loaded or
# unloaded: none of its object files may carry a static initialiser (a
# .ctors/.init_array entry, which also registers destructors for unload).
#   check_no_load_work.sh BUILD_DIR
set -euo pipefail

build=${1:?usage: check_no_load_work.sh BUILD_DIR}
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
offenders=()
while IFS= read -r -d '' object; do
  if "$objdump" -h "$object" | grep -qE '[[:space:]]\.(ctors|init_array)[[:space:].]'; then
    offenders+=("${object#"$build"/}")
  fi
done < <(find "$build/src/CMakeFiles/kovolink_core.dir" \
              "$build/src/interface/host/CMakeFiles/kovolink_host_objects.dir" \
              -name '*.obj' -print0)

if ((${#offenders[@]})); then
  echo "FAIL: static initialisers run at load in:" >&2
  printf '  %s\n' "${offenders[@]}" >&2
  exit 1
fi
echo "no static initialisers in the library's own objects"
