#!/usr/bin/env bash
# Builds the runtime (see build.sh), writes the demo project (the runtime with
# a package whose movie calls a few commands and shows their results) and runs
# it under Wine, on the user's display or on a private X display when there is
# none. Uses the 32-bit build where this machine runs 32-bit programs, else
# the 64-bit build of the same sources.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/phases.sh"
source "$top/scripts/setup.sh"

own_phases=0
if phases_begin; then own_phases=1; trap phases_table EXIT; fi
setup_system_packages
if setup_runs_i686; then arch=i686; else arch=x86_64; fi
setup_build "$arch"
if [ $own_phases = 1 ]; then trap - EXIT; phases_table; fi
build=$top/build/$arch

export WINEPREFIX=${WINEPREFIX:-$HOME/.cache/kova-demo-wine} WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d" WINEDEBUG=-all
export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
run=("$top/scripts/wine-run.sh")

windows_path() { "$WINELOADER" winepath -w "$1" 2>/dev/null | tr -d '\r'; }

demo=$build/demo/demo.exe
"${run[@]}" "$build/demo/kova_make_demo.exe" "$(windows_path "$build/src/app/kova.exe")" \
  "$(windows_path "$top/demo/demo.script")" "$(windows_path "$demo")"

[ -n "${DISPLAY:-}" ] || run=(xvfb-run -a "${run[@]}")
set +e
"${run[@]}" "$demo"
code=$?
set -e
"$WINESERVER" -w
echo "demo: the project exited with code $code"
exit $code
