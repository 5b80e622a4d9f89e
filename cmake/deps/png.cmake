# libpng 1.6 (static); <png.h> is in the prefix's include folder.
add_library(deps::png STATIC IMPORTED GLOBAL)
set_target_properties(deps::png PROPERTIES
  IMPORTED_LOCATION ${KOVA_DEPS_PREFIX}/lib/libpng16.a
  INTERFACE_INCLUDE_DIRECTORIES ${KOVA_DEPS_PREFIX}/include
  INTERFACE_LINK_LIBRARIES deps::zlib)
