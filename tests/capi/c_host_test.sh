#!/usr/bin/env bash
# Installs the build into a temporary prefix, compiles examples/c_host.c
# against the installed header and library through pkg-config, and runs it
# on a database made by the installed kovolink tool.
#   c_host_test.sh BUILD_DIR SOURCE_DIR C_COMPILER EXTRA_C_FLAGS
set -euo pipefail
build=$1 source=$2 cc=$3 extra=${4:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "c_host_test: $*" >&2; exit 1; }
[[ -f $prefix/include/kovolink.h && -f $prefix/include/kovolink_args.h ]] || fail "headers not installed"
pc=$(find "$prefix" -name kovolink.pc)
[[ -n $pc ]] || fail "kovolink.pc not installed"
lib=$(find "$prefix" -name 'libkovolink.so.*' -type f | head -n1)
[[ -n $lib ]] || fail "libkovolink.so not installed"
[[ -x $prefix/bin/kovolink ]] || fail "kovolink not installed"

# The library exports its C interface and nothing else.
others=$(nm -D --defined-only "$lib" | awk '$2 ~ /^[TDBRVW]$/ {print $3}' | grep -v '^kovo_' || true)
[[ -z $others ]] || fail "unexpected exports: $others"
for f in kovo_open kovo_close kovo_begin kovo_commit kovo_rollback kovo_notas_incluir \
         kovo_itensnotas_incluir kovo_contasnotas_incluir kovo_cupom_incluir kovo_cfop_vendas \
         kovo_set_error_report_hook kovo_free; do
  nm -D --defined-only "$lib" | grep -qw "$f" || fail "$f not exported"
done

export PKG_CONFIG_PATH=$(dirname "$pc")
libdir=$(pkg-config --variable=libdir kovolink)
# shellcheck disable=SC2046,SC2086
"$cc" -std=c99 -Wall -Wextra -Wpedantic -Werror $extra "$source/examples/c_host.c" \
  $(pkg-config --cflags --libs kovolink) -Wl,-rpath,"$libdir" -o "$work/c_host"

"$prefix/bin/kovolink" init "sqlite:$work/erp.db" --regime S --aliqsn 2.56 --aliqpis 0.65 --aliqcofins 3 >/dev/null
out=$("$work/c_host" "sqlite:$work/erp.db")
echo "$out"
grep -q '^invoice 1 registered$' <<<"$out" || fail "no invoice registered"
grep -q 'non-contributor in RJ: 6108$' <<<"$out" || fail "wrong CFOP"

q() { sqlite3 "$work/erp.db" "$1"; }
[[ $(q "SELECT NOTAS_NUMERO FROM NOTAS WHERE NOTAS_ID = 1") == 5001 ]] || fail "header not stored"
[[ $(q "SELECT COUNT(*) FROM ITENSNOTAS WHERE ITENSNOTAS_IDNOTA = 1 AND ITENSNOTAS_ALIQSN = 2.56 AND ITENSNOTAS_VALORSN > 3") == 1 ]] \
  || fail "item not stored with its Simples Nacional credit"
[[ $(q "SELECT CONTASNOTAS_DATAVC FROM CONTASNOTAS WHERE CONTASNOTAS_IDNOTA = 1") == 04/06/2024 ]] \
  || fail "instalment not stored"
[[ $(q "SELECT hex(NOTAS_OBSADICIONAIS) FROM NOTAS") == *C7C34F ]] || fail "text not stored as Windows-1252"
[[ $(q "SELECT PARAMETROS_ULTIMOIDNOTA FROM PARAMETROS") == 2 ]] || fail "counter not advanced"
