#!/usr/bin/env bash
# Runs a Windows program under Wine with the loader that matches its
# architecture. The Wine prefix and display come from the caller's environment
# (scripts/run-wine-tests.sh sets them up).
#
# The program's output goes through a file: Wine's background processes,
# started on demand by the program, would otherwise inherit the caller's pipe
# and keep it open long after the program ended.
set -uo pipefail
exe=$1
case $(od -An -tx1 -j "$(( $(od -An -tu4 -j60 -N4 "$exe") + 4 ))" -N2 "$exe" | tr -d ' ') in
  4c01) loader=/usr/lib/wine/wine ;;    # i386
  6486) loader=/usr/lib/wine/wine64 ;;  # x86-64
  *) echo "wine-run: $exe is not a Windows program" >&2; exit 2 ;;
esac
export WINELOADER=$loader
output=$(mktemp /tmp/wine-run.XXXXXX)
"$loader" "$@" >"$output" 2>&1 </dev/null
code=$?
cat "$output"
rm -f "$output"
exit $code
