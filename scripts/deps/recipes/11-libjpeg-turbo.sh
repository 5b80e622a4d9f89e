# libjpeg-turbo (static, libjpeg 6.2 API) with its nasm SIMD code; the
# TurboJPEG API is not needed.
build() {
  local src; src=$(fetch_source libjpeg-turbo)
  cmake_build "$src" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
    -DWITH_SIMD=ON -DREQUIRE_SIMD=ON -DCMAKE_ASM_NASM_COMPILER=nasm
}
