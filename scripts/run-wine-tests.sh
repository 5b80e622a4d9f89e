#!/usr/bin/env bash
# Usage: run-wine-tests.sh BUILD_DIR [ctest args...]
# Runs a Windows build's tests under Wine in a throwaway prefix on a private
# X display, with locale and time zone pinned. Nothing waits on a dialog:
# installer prompts are switched off and a crash ends the process instead of
# stopping in the debugger.
set -euo pipefail
build=$1; shift

if [ -z "${KOVA_IN_XVFB:-}" ]; then
  export KOVA_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$@"
fi

scratch=$(mktemp -d /tmp/kova-wine.XXXXXX)
export WINEPREFIX=$scratch/prefix WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d" WINEDEBUG=-all
export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
export LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=UTC
export KOVA_TEST_SCRATCH=$scratch

cleanup() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  rm -rf "$scratch"
}
trap cleanup EXIT

"$WINELOADER" wineboot -i >"$scratch/wineboot.log" 2>&1
"$WINESERVER" -w
# Drives that the System tests read, set up while no server runs: the mount
# manager reads them only when it starts. C: gets the serial 0ABC1234 and D:
# is a CD-ROM drive backed by a folder, so tray requests reach no real drive.
printf '0abc1234' >"$WINEPREFIX/drive_c/.windows-serial"
mkdir -p "$scratch/cdrom"
ln -sfn "$scratch/cdrom" "$WINEPREFIX/dosdevices/d:"
"$WINELOADER" reg add 'HKLM\Software\Wine\Drives' /v d: /d cdrom /f >>"$scratch/wineboot.log" 2>&1
"$WINESERVER" -w
# Keep the server up between test programs: each one then starts in about a
# second instead of bringing the prefix up again.
"$WINESERVER" -p
ctest --test-dir "$build" --output-on-failure --timeout 300 "$@"
