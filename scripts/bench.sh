#!/usr/bin/env bash
# Usage: bench.sh [--quick]
# Builds the benchmarks (bench/) and runs them: the call road, events into the
# movie, start-up and URL streams under Wine (a throwaway prefix on a private X
# display), package reading natively. Prints one table (figure, ours, the
# reference measured in the same run on the same input, the ratio, the goal)
# and writes it to build/bench/results.md and build/bench/results.json. Each
# figure is the median of several runs, with their minimum and maximum.
# Nothing is asserted: it fails only when a benchmark cannot run.
#
# --quick: small sizes and three runs each, so that CI keeps the benchmarks
# working; its figures are not the ones to quote.
# KOVA_BENCH_ARCH=i686|x86_64 names the Windows build to use (default: the
# first one whose tests this machine runs).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

quick=0
case "${1:-}" in
  --quick) quick=1 ;;
  "") ;;
  *) echo "usage: $0 [--quick]" >&2; exit 2 ;;
esac

if [ "$quick" = 1 ]; then
  reps=3 calls=200 events=2000 startup_mb=1 package_mb=1 url_mb=8
else
  reps=7 calls=2000 events=20000 startup_mb=10 package_mb=10 url_mb=100
fi
startup_reps=$(( reps < 5 ? reps : 5 ))

# --- Builds (the libraries come from the cache; a built tree answers at once).
if [ -z "${KOVA_IN_XVFB:-}" ]; then
  source "$top/scripts/phases.sh"
  source "$top/scripts/setup.sh"
  # The set-up's phases go to the calling script's table, if any; alone, the
  # benchmark table is the only one printed.
  own_phase_log=0
  if phases_begin; then own_phase_log=1; fi
  arch=${KOVA_BENCH_ARCH:-}
  if [ -z "$arch" ]; then
    setup_system_packages
    setup_choose_archs
    arch=${test_archs[0]}
  fi
  # A configured tree is only brought up to date: configuring again rewrites
  # generated files and relinks every program.
  if [ -f "$top/build/$arch/build.ninja" ]; then
    cmake --build "$top/build/$arch" >/dev/null
  else
    setup_build "$arch" >&2
  fi
  cmake --build "$top/build/$arch" --target kova_bench >/dev/null
  # Package reading runs natively, optimised and without sanitizers.
  cmake -S "$top" -B "$top/build/bench-native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKOVA_SANITIZE=OFF \
    -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
  cmake --build "$top/build/bench-native" --target bench_package >/dev/null
  if [ "$own_phase_log" = 1 ]; then rm -f "$KOVA_PHASE_LOG"; unset KOVA_PHASE_LOG; fi
  export KOVA_IN_XVFB=1 KOVA_BENCH_ARCH=$arch
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

# --- Runs.
arch=$KOVA_BENCH_ARCH
build=$top/build/$arch
out=$top/build/bench
work=$out/work
scratch=$(mktemp -d /tmp/kova-bench.XXXXXX)
server_pid=
cleanup() {
  [ -z "$server_pid" ] || kill "$server_pid" 2>/dev/null || true
  "${WINESERVER:-true}" -k >/dev/null 2>&1 || true
  rm -rf "$scratch" "$work"
}
trap cleanup EXIT
rm -rf "$work" "$out"/samples-*.txt
mkdir -p "$work"

# A path as Windows programs under Wine see it.
winpath() { local path=$1; printf 'Z:%s' "${path//\//\\}"; }

failed=0
# run NAME COMMAND...: runs a benchmark program in the work folder; its
# output is shown only when it fails.
run() {
  local name=$1; shift
  echo "bench: $name" >&2
  if ! (cd "$work" && "$@") >"$scratch/$name.log" 2>&1; then
    echo "bench: $name failed:" >&2
    cat "$scratch/$name.log" >&2
    failed=1
  fi
}

run package "$top/build/bench-native/bench/bench_package" "$out/samples-package.txt" "$package_mb" "$reps"

export WINEPREFIX=$scratch/prefix WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d" WINEDEBUG=-all
export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
export LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=UTC
"$WINELOADER" wineboot -i >"$scratch/wineboot.log" 2>&1
"$WINESERVER" -w
"$WINESERVER" -p

python3 "$top/bench/loopserver.py" "$scratch/server" &
server_pid=$!
for _ in $(seq 100); do [ -s "$scratch/server/port.txt" ] && break; sleep 0.1; done
port=$(cat "$scratch/server/port.txt")

wine_run="$top/scripts/wine-run.sh"
bench_dir=$build/bench
run calls "$wine_run" "$bench_dir/bench_host.exe" calls samples-calls.txt "$calls" "$reps"
run events "$wine_run" "$bench_dir/bench_host.exe" events samples-events.txt "$events" "$reps"
# URL streams and their reference take turns, one download each, the one
# going first changing every round: a download lasts a fraction of a second,
# and a change in the host's load then falls on both alike rather than on
# whichever block of runs it meets.
url="http://127.0.0.1:$port/bytes/$((url_mb * 1000000))"
ours=(url "$wine_run" "$bench_dir/bench_host.exe" url samples-url.txt "$url" 1)
reference=(url-reference "$wine_run" "$bench_dir/bench_curl.exe" samples-url.txt "$url" 1)
for round in $(seq "$reps"); do
  if [ $((round % 2)) = 1 ]; then
    run "${ours[@]}"; run "${reference[@]}"
  else
    run "${reference[@]}"; run "${ours[@]}"
  fi
done
run startup "$wine_run" "$bench_dir/bench_startup.exe" samples-startup.txt \
  "$(winpath "$build/src/app/kova.exe")" "$(winpath "$bench_dir/bench_bareframe.exe")" "$startup_mb" "$startup_reps"
mv "$work"/samples-*.txt "$out"/ 2>/dev/null || true

sizes="calls: $calls (64 KiB: $(( calls / 10 ))); events: $events back to back, $(( events / 10 < 100 ? 100 : events / 10 )) paced"
sizes+="; start-up package: ${startup_mb} MiB movie + ${startup_mb} MiB file; package blocks: ${package_mb} MiB"
sizes+="; URL: ${url_mb} MB; runs: $reps (start-up $startup_reps); build: $arch"
python3 "$top/bench/table.py" "$out" "$sizes" "$out"/samples-*.txt || failed=1
exit $failed
