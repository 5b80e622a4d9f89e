# libpng 1.6 (static), linked against mingw's static zlib.
build() {
  local src; src=$(fetch_source libpng1.6)
  cmake_build "$src" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_EXECUTABLES=OFF -DPNG_TESTS=OFF \
    -DZLIB_LIBRARY="/usr/$TRIPLE/lib/libz.a" -DZLIB_INCLUDE_DIR="/usr/$TRIPLE/include"
}
