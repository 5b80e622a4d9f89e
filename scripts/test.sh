#!/usr/bin/env bash
# Builds everything (see build.sh) and runs the whole test suite: the
# platform-neutral code natively under sanitizers, then the Windows builds
# under Wine. The 32-bit build's tests run only where this machine can
# execute 32-bit code; the 64-bit build of the same sources runs everywhere.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

bash "$top/scripts/build.sh" i686 x86_64

cmake -S "$top" -B "$top/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build "$top/build/native"
ctest --test-dir "$top/build/native" --output-on-failure -j "$(nproc)"

if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  "$top/scripts/run-wine-tests.sh" "$top/build/i686" -j "$(nproc)"
else
  echo "test.sh: this machine cannot execute 32-bit code; the i686 build is compiled, not run"
fi
"$top/scripts/run-wine-tests.sh" "$top/build/x86_64" -j "$(nproc)"
