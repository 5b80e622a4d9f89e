#!/usr/bin/env bash
# Builds everything and runs the whole test suite: the platform-neutral code
# natively under sanitizers, then the Windows builds under Wine. Ends with the
# phases' times.
#
# Which Windows builds are made and tested depends on the machine (see
# setup_choose_archs in setup.sh): the 32-bit build's tests run only where
# this machine executes 32-bit programs, which is asked after the system
# packages (Wine) are installed.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/phases.sh"
source "$top/scripts/setup.sh"

if phases_begin; then trap phases_table EXIT; fi
setup_system_packages
setup_choose_archs
setup_build "${build_archs[@]}"

cmake -S "$top" -B "$top/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
phase "build native" cmake --build "$top/build/native"
phase "tests native" ctest --test-dir "$top/build/native" --output-on-failure -j "$(nproc)"

# --- Fuzz targets (clang, libFuzzer; build/fuzz): replay every corpus and
# make a short fixed run of each target.
phase "fuzz replay" bash "$top/scripts/fuzz.sh" --replay
# --- end of the fuzz targets
[ ${#test_archs[@]} = 0 ] || phase "bench quick" env KOVA_BENCH_ARCH="${test_archs[0]}" bash "$top/scripts/bench.sh" --quick

if [[ " ${build_archs[*]} " == *" i686 "* ]] && [[ " ${test_archs[*]} " != *" i686 "* ]]; then
  echo "test.sh: the i686 build's tests need a machine that executes 32-bit programs"
fi
for arch in "${test_archs[@]}"; do
  phase "tests $arch" "$top/scripts/run-wine-tests.sh" "$top/build/$arch" -j "$(nproc)"
done
