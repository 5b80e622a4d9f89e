# Shared functions for the dependency recipes. Sourced by build.sh; every
# recipe runs in a subshell with these variables set:
#   PREFIX   install prefix (headers in include/, static libraries in lib/)
#   WORK     scratch folder of this recipe (emptied before it runs)
#   SOURCES  download cache shared by every recipe and every prefix
#   JOBS     parallel build jobs
#   ARCH (i686 or x86_64), TRIPLE (ARCH-w64-mingw32)
#   CC, CXX, AR, RANLIB, WINDRES, TOOLCHAIN_FILE (for cmake_build; it reads KOVA_ARCH)

log() { printf '[deps] %s\n' "$*" >&2; }

# fetch_source PKG: downloads the Debian source package PKG (once, into
# $SOURCES/PKG) and unpacks it with Debian's patches applied into $WORK.
# Prints the unpacked folder. Both architectures may ask for the same package
# at once: one downloads while the other waits for it.
fetch_source() {
  local pkg=$1 dl=$SOURCES/$1
  mkdir -p "$dl"
  ( flock 9 && download_source "$pkg" "$dl" ) 9>"$dl.lock" || return 1
  local dsc; dsc=$(ls "$dl"/*.dsc | head -n 1)
  local out=$WORK/src-$pkg
  rm -rf "$out"
  dpkg-source --no-check -x "$dsc" "$out" >/dev/null
  printf '%s\n' "$out"
}

# download_source PKG FOLDER: downloads PKG's source package into FOLDER
# unless it is there. The newest version apt lists is sometimes not served,
# so older listed versions are tried in turn, newest first.
download_source() {
  local pkg=$1 dl=$2 v
  ls "$dl"/*.dsc >/dev/null 2>&1 && return 0
  for v in $(apt-cache showsrc "$pkg" | sed -n 's/^Version: //p' | sort -u -r -V); do
    (cd "$dl" && apt-get source --download-only -qq "$pkg=$v" >/dev/null 2>&1) && return 0
    rm -f "$dl"/*
  done
  log "cannot download source package $pkg"
  return 1
}

# cmake_build SRC [args...]: configures SRC for the cross toolchain, builds
# and installs into $PREFIX.
cmake_build() {
  local src=$1; shift
  local bld=$WORK/build-$(basename "$src")
  cmake -S "$src" -B "$bld" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_FILE" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DCMAKE_PREFIX_PATH="$PREFIX" \
    -DCMAKE_FIND_ROOT_PATH="$PREFIX;/usr/$TRIPLE" \
    -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
    -DBUILD_SHARED_LIBS=OFF "$@" >"$WORK/cmake-configure.log" 2>&1 \
    || { tail -n 40 "$WORK/cmake-configure.log" >&2; return 1; }
  cmake --build "$bld" -j "$JOBS" >"$WORK/cmake-build.log" 2>&1 \
    || { tail -n 60 "$WORK/cmake-build.log" >&2; return 1; }
  cmake --install "$bld" >"$WORK/cmake-install.log" 2>&1
}

# autotools_env: exports the cross compiler settings for configure scripts.
autotools_env() {
  export CC="ccache $CC" CXX="ccache $CXX"
  export CPPFLAGS="-I$PREFIX/include" LDFLAGS="-L$PREFIX/lib"
  export PKG_CONFIG_LIBDIR="$PREFIX/lib/pkgconfig" PKG_CONFIG_PATH=
}
