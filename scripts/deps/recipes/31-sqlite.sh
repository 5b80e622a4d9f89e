# SQLite: the amalgamation (sqlite3.c) is generated with the build machine's
# compiler and tclsh, then compiled alone for Windows, thread-safe. The
# generic main.mk makefile produces the same amalgamation as a configured
# tree without running the slow configure script.
build() {
  local src; src=$(fetch_source sqlite3)
  local gen=$WORK/amalgamation
  mkdir -p "$gen"
  make -C "$gen" -j "$JOBS" -f "$src/main.mk" TOP="$src" \
    BCC=cc TCC=cc TCLSH_CMD=tclsh NAWK=awk sqlite3.c >"$WORK/amalgamation.log" 2>&1 \
    || { tail -n 40 "$WORK/amalgamation.log" >&2; return 1; }
  ccache "$CC" -c -O2 -DNDEBUG -DSQLITE_THREADSAFE=1 \
    "$gen/sqlite3.c" -o "$WORK/sqlite3.o"
  mkdir -p "$PREFIX/lib" "$PREFIX/include"
  rm -f "$PREFIX/lib/libsqlite3.a"
  "$AR" rcs "$PREFIX/lib/libsqlite3.a" "$WORK/sqlite3.o"
  install -m 644 "$gen/sqlite3.h" "$gen/sqlite3ext.h" "$PREFIX/include/"
}
