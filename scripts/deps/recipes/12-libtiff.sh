# libtiff (static, C API) with the zlib and libjpeg codecs only.
build() {
  local src; src=$(fetch_source tiff)
  cmake_build "$src" \
    -Dtiff-tools=OFF -Dtiff-tests=OFF -Dtiff-contrib=OFF -Dtiff-docs=OFF \
    -Dcxx=OFF -Dsphinx=OFF -Dtiff-opengl=OFF \
    -Dzlib=ON -Djpeg=ON -Dold-jpeg=ON -Dpixarlog=ON \
    -Dlibdeflate=OFF -Djbig=OFF -Dlerc=OFF -Dlzma=OFF -Dzstd=OFF -Dwebp=OFF -Djpeg12=OFF \
    -DZLIB_LIBRARY="/usr/$TRIPLE/lib/libz.a" -DZLIB_INCLUDE_DIR="/usr/$TRIPLE/include" \
    -DJPEG_LIBRARY="$PREFIX/lib/libjpeg.a" -DJPEG_INCLUDE_DIR="$PREFIX/include"
}
