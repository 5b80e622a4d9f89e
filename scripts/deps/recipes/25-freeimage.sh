# FreeImage and FreeImagePlus (static), against the prefix's libpng,
# libjpeg-turbo and libtiff. The upstream makefiles build shared libraries for
# the host, so the recipe brings its own CMakeLists.txt; the patches adapt the
# sources to the codecs of this build (see the head of each patch).
build() {
  local src patch
  src=$(fetch_source freeimage)
  for patch in "$PATCHES"/freeimage/*.patch; do
    patch -d "$src" -p1 --quiet <"$patch" || { log "cannot apply $(basename "$patch")"; return 1; }
  done
  cp "$PATCHES/freeimage/CMakeLists.txt" "$src/"
  cmake_build "$src" -DDEPS_PREFIX="$PREFIX"
}
