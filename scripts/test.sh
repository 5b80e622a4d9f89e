#!/usr/bin/env bash
# Builds everything (see build.sh) and runs the whole test suite: the
# platform-neutral code natively under sanitizers, then the Windows builds
# under Wine.
#
# The 32-bit build's tests run only where this machine can execute 32-bit
# code; the 64-bit build of the same sources runs everywhere. Where 32-bit
# code cannot run, the 32-bit build is still compiled when the machine has the
# cores to cross-build both architectures' libraries cold within CI's time
# (KOVA_BUILD_I686=1 or 0 overrides that choice).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

runs_i686=0
/usr/lib/wine/wine --version >/dev/null 2>&1 && runs_i686=1
build_i686=${KOVA_BUILD_I686:-}
if [ -z "$build_i686" ]; then
  if [ $runs_i686 = 1 ] || [ "$(nproc)" -ge 4 ]; then build_i686=1; else build_i686=0; fi
fi

archs=(x86_64)
[ "$build_i686" = 1 ] && archs=(i686 x86_64)
bash "$top/scripts/build.sh" "${archs[@]}"

cmake -S "$top" -B "$top/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build "$top/build/native"
ctest --test-dir "$top/build/native" --output-on-failure -j "$(nproc)"

# --- Fuzz targets (clang, libFuzzer; build/fuzz): replay every corpus and
# make a short fixed run of each target.
bash "$top/scripts/fuzz.sh" --replay
# --- end of the fuzz targets

if [ "$build_i686" = 1 ] && [ $runs_i686 = 1 ]; then
  "$top/scripts/run-wine-tests.sh" "$top/build/i686" -j "$(nproc)"
else
  echo "test.sh: the i686 build's tests need a machine that executes 32-bit code (built: $build_i686)"
fi
"$top/scripts/run-wine-tests.sh" "$top/build/x86_64" -j "$(nproc)"
