# json-c: static library only. Its command-line apps are not needed.
build() {
  local src; src=$(fetch_source json-c)
  cmake_build "$src" \
    -DBUILD_SHARED_LIBS=OFF -DBUILD_STATIC_LIBS=ON \
    -DBUILD_TESTING=OFF -DDISABLE_WERROR=ON -DDISABLE_EXTRA_LIBS=ON
}
