#!/usr/bin/env bash
# Checks the built kovolink.dll from its headers and code, since no Windows
# is at hand to load it: the export table (names, ordinal base 1, ordinals
# 1-5 in their order and the extras after them), the bytes each of the five
# exports removes on return, and that only Windows system DLLs are imported.
#   check_dll.sh path/to/kovolink.dll
set -euo pipefail

dll=${1:?usage: check_dll.sh kovolink.dll}
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
headers=$("$objdump" -p "$dll")
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

grep -q '^Ordinal Base[[:space:]]*1$' <<<"$headers" || fail "ordinal base is not 1"

# name -> ordinal, from the [Ordinal/Name Pointer] table (index + base).
declare -A ordinal
while read -r index name; do
  ordinal[$name]=$((index + 1))
done < <(awk '/\[Ordinal\/Name Pointer\] Table/ {t = 1; next}
              t && /^\t\[/ {gsub(/[][]/, " "); print $1, $2; next}
              t {t = 0}' <<<"$headers" | sort -u)

expected=(kovo_incluir_cupom kovo_retorna_cfop_vendas kovo_incluir_contasnotas
          kovo_incluir_itensnotas kovo_incluir_notas kovo_definir_alocador
          kovo_abrir_conexao kovo_fechar_conexao kovo_iniciar_transacao
          kovo_confirmar_transacao kovo_desfazer_transacao kovo_definir_relatorio_erro
          kovo_definir_excecao kovo_liberar_texto)
for i in "${!expected[@]}"; do
  name=${expected[$i]}
  [[ ${ordinal[$name]:-} == $((i + 1)) ]] ||
    fail "$name has ordinal '${ordinal[$name]:-none}', expected $((i + 1))"
done
((${#ordinal[@]} == ${#expected[@]})) ||
  fail "${#ordinal[@]} exports, expected ${#expected[@]}: ${!ordinal[*]}"

# The first return of each export's code removes its stack arguments.
image_base=$((16#$(awk '/^ImageBase/ {print $2}' <<<"$headers")))
declare -A rva
while read -r number address; do
  rva[$number]=$((16#$address))
done < <(awk '/^Export Address Table -- Ordinal Base/ {t = 1; next}
              t && /\+base\[/ {sub(/.*\+base\[ */, ""); sub(/\]/, ""); print $1, $2; next}
              t {t = 0}' <<<"$headers" | sort -u)
bytes=(4 24 16 352 476)
for i in 0 1 2 3 4; do
  name=${expected[$i]}
  start=$((image_base + ${rva[$((i + 1))]:-0}))
  ret=$("$objdump" -d "$dll" --start-address=$start --stop-address=$((start + 64)) |
        awk '$0 ~ /\tret/ {print; exit}')
  want=$(printf '$0x%x' "${bytes[$i]}")
  [[ $ret == *"ret "*"$want"* ]] || fail "$name returns with '${ret##*:}', expected ret $want"
done

# Only DLLs that every Windows has: the language runtime is linked in.
allowed='^(kernel32|user32|msvcrt|advapi32|ntdll|ucrtbase|api-ms-win-[a-z0-9-]+)\.dll$'
imports=$(awk '/DLL Name:/ {print $3}' <<<"$headers")
[[ -n $imports ]] || fail "no import table found"
for name in $imports; do
  lower=${name,,}
  [[ $lower =~ $allowed ]] || fail "imports $name, which is not a Windows system DLL"
done

if ((failures)); then
  echo "$dll: $failures check(s) failed" >&2
  exit 1
fi
echo "$dll: exports, ordinals, stack cleanup and imports as expected (imports: $(echo $imports))"
