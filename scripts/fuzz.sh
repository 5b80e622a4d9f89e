#!/usr/bin/env bash
# Fuzz build (clang, libFuzzer, ASan and UBSan) of the parsers of outside bytes.
#
#   scripts/fuzz.sh [TARGET] [SECONDS]  run one target, or every target in turn,
#                                       for SECONDS each (default 60)
#   scripts/fuzz.sh --replay            replay every corpus and make a short run
#                                       of each target (the ctest label "fuzz")
#   scripts/fuzz.sh --seeds             rewrite the seed inputs in tests/fuzz/corpus
#
# KOVA_FUZZ_JOBS (default 1) runs that many fuzzing processes per target;
# KOVA_FUZZ_BUILD_JOBS limits the build and the replay (default: all cores);
# KOVA_FUZZ_ARGS adds libFuzzer options (e.g. -max_len=512).
# New inputs collect in build/fuzz/work/TARGET, failing inputs in
# build/fuzz/artifacts/TARGET; copy a failing input into tests/fuzz/corpus/TARGET
# once it is fixed, so that the replay keeps it found.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$top/build/fuzz
# Every target has its corpus folder.
mapfile -t targets < <(ls "$top/tests/fuzz/corpus")

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOVA_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build "$build" --target kova_fuzzers ${KOVA_FUZZ_BUILD_JOBS:+-j "$KOVA_FUZZ_BUILD_JOBS"}

case "${1:-}" in
  --replay)
    exec ctest --test-dir "$build" -L fuzz --output-on-failure -j "${KOVA_FUZZ_BUILD_JOBS:-$(nproc)}" ;;
  --seeds)
    exec "$build/tests/fuzz/kova_fuzz_seeds" "$top/tests/fuzz/corpus" ;;
esac

selected=("${targets[@]}")
[ -n "${1:-}" ] && selected=("$1")
seconds=${2:-60}
jobs=${KOVA_FUZZ_JOBS:-1}
for target in "${selected[@]}"; do
  work=$build/work/$target
  artifacts=$build/artifacts/$target
  logs=$build/logs/$target
  rm -rf "$logs"
  mkdir -p "$work" "$artifacts" "$logs"
  dictionary=()
  [ -f "$top/tests/fuzz/dict/$target.dict" ] && dictionary=(-dict="$top/tests/fuzz/dict/$target.dict")
  echo "fuzz.sh: $target for ${seconds}s with $jobs job(s)"
  status=0
  # The job logs (fuzz-N.log) land in the current folder.
  (cd "$logs" && "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
     -print_final_stats=1 -jobs="$jobs" -workers="$jobs" "${dictionary[@]}" ${KOVA_FUZZ_ARGS:-} \
     -artifact_prefix="$artifacts/" "$work" "$top/tests/fuzz/corpus/$target" \
     >"$logs/main.log" 2>&1) || status=$?
  # Each job logs to fuzz-N.log; main.log repeats those logs once a job ends.
  executions=$(cat "$logs"/fuzz-*.log | sed -n 's/^stat::number_of_executed_units: *//p' | awk '{s += $1} END {print s + 0}')
  echo "fuzz.sh: $target: $executions executions, exit status $status"
  [ $status = 0 ] || { echo "fuzz.sh: failing inputs in $artifacts; logs in $logs" >&2; exit $status; }
done
