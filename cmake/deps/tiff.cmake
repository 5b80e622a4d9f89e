# libtiff (static, C API) with its zlib and JPEG codecs.
add_library(deps::tiff STATIC IMPORTED GLOBAL)
set_target_properties(deps::tiff PROPERTIES
  IMPORTED_LOCATION ${KOVA_DEPS_PREFIX}/lib/libtiff.a
  INTERFACE_INCLUDE_DIRECTORIES ${KOVA_DEPS_PREFIX}/include
  INTERFACE_LINK_LIBRARIES "deps::jpeg;deps::zlib")
