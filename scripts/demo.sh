#!/usr/bin/env bash
# Builds the runtime (see build.sh) and runs it under Wine, on the user's
# display or on a private X display when there is none. Uses the 32-bit build
# where this machine can execute it, else the 64-bit build of the same sources.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

if /usr/lib/wine/wine --version >/dev/null 2>&1; then arch=i686; else arch=x86_64; fi
bash "$top/scripts/build.sh" "$arch"

export WINEPREFIX=${WINEPREFIX:-$HOME/.cache/kova-demo-wine} WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d" WINEDEBUG=-all
export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
runner=("$top/scripts/wine-run.sh")
[ -n "${DISPLAY:-}" ] || runner=(xvfb-run -a "${runner[@]}")

set +e
"${runner[@]}" "$top/build/$arch/src/app/kova.exe"
code=$?
set -e
"$WINESERVER" -w
echo "demo: the runtime exited with code $code"
