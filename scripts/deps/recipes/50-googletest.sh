# GoogleTest and GoogleMock (Debian's googletest package, whose sources are
# installed in /usr/src/googletest). Static, without the *_main libraries in
# use: the project has its own test main. MinGW builds use Win32 threading
# primitives instead of pthreads; consumers get GTEST_HAS_PTHREAD=0 so both
# sides agree on the layout of gtest's mutex types.
build() {
  local src=$WORK/googletest
  cp -r /usr/src/googletest "$src"
  cmake_build "$src" \
    -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON \
    -Dgtest_disable_pthreads=ON \
    -Dgtest_build_tests=OFF -Dgtest_build_samples=OFF -Dgmock_build_tests=OFF
}
