#!/usr/bin/env bash
# Usage: build.sh ARCH   (ARCH: i686 or x86_64)
# Cross-builds the third-party libraries for ARCH-w64-mingw32 from Debian
# source packages into a cache outside the tree, and prints the prefix.
#
# The prefix is keyed by a hash of everything that shapes the result (these
# scripts, the recipes, their patches, the toolchain file), so a warm cache is
# reused as long as the recipe is unchanged. Each recipe also leaves a stamp
# keyed by its own hash; an interrupted build resumes where it stopped.
#
# Environment:
#   KOVA_DEPS_CACHE   cache folder (default ~/.cache/kova-deps)
#   KOVA_DEPS_PREFIX  build into this folder (ARCH/ below it) instead of the keyed one
#   KOVA_DEPS_ONLY    space-separated recipe names: build only these
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
cache=${KOVA_DEPS_CACHE:-$HOME/.cache/kova-deps}
toolchain=$top/cmake/toolchain.cmake
arch=${1:-i686}
case $arch in i686|x86_64) ;; *) echo "usage: $0 i686|x86_64" >&2; exit 2;; esac

source "$top/scripts/phases.sh"

hash_of() { cat "$@" | sha256sum | cut -c1-16; }

key=$(cd "$here" && hash_of build.sh lib.sh $(find recipes patches -type f 2>/dev/null | LC_ALL=C sort) "$toolchain")
prefix=${KOVA_DEPS_PREFIX:-$cache/prefix-$key}/$arch

if [ -f "$prefix/.complete" ] && [ -z "${KOVA_DEPS_ONLY:-}" ]; then
  printf '%s\n' "$prefix"
  exit 0
fi

export PREFIX=$prefix SOURCES=$cache/sources TOOLCHAIN_FILE=$toolchain
export ARCH=$arch KOVA_ARCH=$arch TRIPLE=$arch-w64-mingw32
export CC=$TRIPLE-gcc-posix CXX=$TRIPLE-g++-posix
export AR=$TRIPLE-gcc-ar-posix RANLIB=$TRIPLE-gcc-ranlib-posix WINDRES=$TRIPLE-windres
export JOBS=${JOBS:-$(nproc)}
export PATCHES=$here/patches
mkdir -p "$PREFIX/.stamps" "$SOURCES"

# build_recipe FILE: builds one recipe unless its stamp says it is built.
build_recipe() {
  local recipe=$1 name stamp start cpu
  name=$(basename "$recipe" .sh); name=${name#[0-9][0-9]-}
  if [ -n "${KOVA_DEPS_ONLY:-}" ] && ! [[ " $KOVA_DEPS_ONLY " == *" $name "* ]]; then
    return 0
  fi
  stamp=$PREFIX/.stamps/$name.$(hash_of "$recipe" $(ls "$PATCHES/$name"/* 2>/dev/null))
  [ -f "$stamp" ] && return 0
  rm -f "$PREFIX/.stamps/$name".*
  export WORK=$cache/work/$arch/$name
  rm -rf "$WORK"; mkdir -p "$WORK"
  printf '[deps %s] building %s\n' "$arch" "$name" >&2
  start=$SECONDS
  phases_cpu; cpu=$phases_cpu_now
  ( source "$here/lib.sh"; source "$recipe"; build ) \
    || { printf '[deps %s] %s failed\n' "$arch" "$name" >&2; return 1; }
  phases_cpu
  printf '[deps %s] %s done in %ss (processor %ss)\n' "$arch" "$name" $((SECONDS - start)) \
    $((phases_cpu_now - cpu)) >&2
  rm -rf "$WORK"
  touch "$stamp"
}

# build_lane FILE...: builds recipes in order, stopping at the first failure.
build_lane() {
  local recipe
  for recipe in "$@"; do build_recipe "$recipe" || return 1; done
}

# Two lanes run side by side: the image codecs with the toolkit and FreeImage
# that use them (recipes 1x and 2x), and the rest (3x to 5x; curl and MariaDB
# use OpenSSL). A recipe uses only what earlier recipes of its own lane
# install. Each lane's configure steps run on one core, so the other lane's
# compilers fill the remaining ones.
build_lane "$here"/recipes/[12][0-9]-*.sh & images=$!
others=0; build_lane "$here"/recipes/[3-9][0-9]-*.sh || others=1
wait "$images" || exit 1
[ $others = 0 ] || exit 1

[ -n "${KOVA_DEPS_ONLY:-}" ] || touch "$PREFIX/.complete"
printf '%s\n' "$PREFIX"
