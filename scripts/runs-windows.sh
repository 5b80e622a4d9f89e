#!/usr/bin/env bash
# Usage: runs-windows.sh ARCH   (ARCH: i686 or x86_64)
# Succeeds when this machine runs ARCH Windows programs under Wine: it builds
# a tiny console program for ARCH and runs it the way the tests do (the
# loader of its architecture in a new 64-bit prefix). Run it after the system
# packages are installed.
set -uo pipefail
arch=${1:-}
case $arch in
  i686) loader=/usr/lib/wine/wine ;;
  x86_64) loader=/usr/lib/wine/wine64 ;;
  *) echo "usage: $0 i686|x86_64" >&2; exit 2 ;;
esac

# The loader itself is a Linux program of the same width: where the kernel
# cannot execute it (or it is missing) the answer is no, at once.
timeout 20 "$loader" --version >/dev/null 2>&1 || exit 1

scratch=$(mktemp -d /tmp/kova-runs-windows.XXXXXX)
export WINEPREFIX=$scratch/prefix WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d" WINEDEBUG=-all
export WINESERVER=/usr/lib/wine/wineserver64
cleanup() {
  timeout 20 "$WINESERVER" -k >/dev/null 2>&1
  rm -rf "$scratch"
}
trap cleanup EXIT

printf '#include <stdio.h>\nint main(void) { puts("kova-%s"); return 0; }\n' "$arch" >"$scratch/probe.c"
"$arch-w64-mingw32-gcc-posix" -O0 -o "$scratch/probe.exe" "$scratch/probe.c" 2>/dev/null || exit 1

# The prefix is made as the tests make theirs; each step is bounded so that a
# slow, loaded machine answers late rather than never. Output goes through a
# file, as Wine's background processes would hold a pipe open.
export DISPLAY=
timeout 180 /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || exit 1
timeout 60 "$WINESERVER" -w
(cd "$scratch" && timeout 60 "$loader" probe.exe </dev/null >"$scratch/out" 2>/dev/null)
[ "$(tr -d '\r' <"$scratch/out")" = "kova-$arch" ]
