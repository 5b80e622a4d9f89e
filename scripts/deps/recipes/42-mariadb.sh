# MariaDB Connector/C: the libmariadb/ folder of Debian's mariadb source
# package. Only the static client library is built (the DLL target is left
# out) with every client plug-in compiled in, TLS through OpenSSL from the
# prefix, mingw's zlib instead of the bundled copy, and no remote-io plug-in
# (it would need curl as a DLL at run time).
build() {
  local src; src=$(fetch_source mariadb)/libmariadb
  patch -d "$src" -p1 -s <"$PATCHES/mariadb/variadic-load-plugin-cdecl.patch"
  local bld=$WORK/build
  local plugin plugins=()
  for plugin in DIALOG CLIENT_ED25519 CACHING_SHA2_PASSWORD SHA256_PASSWORD \
      AUTH_GSSAPI_CLIENT MYSQL_OLD_PASSWORD MYSQL_CLEAR_PASSWORD \
      PVIO_SOCKET PVIO_NPIPE PVIO_SHMEM; do
    plugins+=("-DCLIENT_PLUGIN_$plugin=STATIC")
  done
  cmake -S "$src" -B "$bld" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_FILE" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_PREFIX_PATH="$PREFIX" \
    -DCMAKE_FIND_ROOT_PATH="$PREFIX;/usr/$TRIPLE" \
    -DCMAKE_C_COMPILER_LAUNCHER=ccache \
    -DINSTALL_LIBDIR=lib -DINSTALL_INCLUDEDIR=include/mariadb \
    -DWITH_UNIT_TESTS=OFF -DWITH_CURL=OFF -DCLIENT_PLUGIN_REMOTE_IO=OFF \
    -DWITH_SSL=OPENSSL -DOPENSSL_USE_STATIC_LIBS=ON \
    -DOPENSSL_INCLUDE_DIR="$PREFIX/include" \
    -DLIB_EAY="$PREFIX/lib/libcrypto.a" -DSSL_EAY="$PREFIX/lib/libssl.a" \
    -DWITH_EXTERNAL_ZLIB=ON -DZLIB_LIBRARY="/usr/$TRIPLE/lib/libz.a" \
    -DZLIB_INCLUDE_DIR="/usr/$TRIPLE/include" \
    "${plugins[@]}" >"$WORK/cmake-configure.log" 2>&1 \
    || { tail -n 40 "$WORK/cmake-configure.log" >&2; return 1; }
  cmake --build "$bld" -j "$JOBS" --target mariadbclient >"$WORK/cmake-build.log" 2>&1 \
    || { tail -n 60 "$WORK/cmake-build.log" >&2; return 1; }
  cmake --install "$bld" --component Development >"$WORK/cmake-install.log" 2>&1
}
