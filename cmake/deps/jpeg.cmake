# libjpeg-turbo (static, libjpeg 6.2 API: <jpeglib.h>).
add_library(deps::jpeg STATIC IMPORTED GLOBAL)
set_target_properties(deps::jpeg PROPERTIES
  IMPORTED_LOCATION ${KOVA_DEPS_PREFIX}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${KOVA_DEPS_PREFIX}/include)
