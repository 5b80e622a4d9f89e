# zlib from mingw-w64 (libz-mingw-w64-dev); its header is in the compiler's
# own include path. The full path picks the static library: -lz would pick the
# DLL import library.
add_library(deps::zlib STATIC IMPORTED GLOBAL)
set_target_properties(deps::zlib PROPERTIES
  IMPORTED_LOCATION /usr/${KOVA_MINGW_TRIPLE}/lib/libz.a)
