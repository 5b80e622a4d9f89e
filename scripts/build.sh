#!/usr/bin/env bash
# Usage: build.sh [ARCH...]   (default: i686 x86_64)
# Everything from a fresh Debian 12 machine to built trees: system packages,
# the cross-built libraries (cached outside the tree) and the project, in
# build/ARCH for each architecture.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
archs=("$@"); [ ${#archs[@]} -gt 0 ] || archs=(i686 x86_64)

bash "$top/scripts/install-system-packages.sh"

for arch in "${archs[@]}"; do
  deps=$("$top/scripts/deps/build.sh" "$arch")
  cmake -S "$top" -B "$top/build/$arch" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain.cmake" -DKOVA_ARCH="$arch" \
    -DKOVA_DEPS_PREFIX="$deps" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
  cmake --build "$top/build/$arch"
done
