# FreeImage 3.18 with FreeImagePlus (static). Consumers must see FREEIMAGE_LIB,
# which removes the DLL import declarations and the __stdcall convention from
# <FreeImage.h>. fipWinImage draws with GDI and uses the clipboard.
add_library(deps::freeimage STATIC IMPORTED GLOBAL)
set_target_properties(deps::freeimage PROPERTIES
  IMPORTED_LOCATION ${KOVA_DEPS_PREFIX}/lib/libfreeimageplus.a
  INTERFACE_INCLUDE_DIRECTORIES ${KOVA_DEPS_PREFIX}/include
  INTERFACE_COMPILE_DEFINITIONS FREEIMAGE_LIB
  INTERFACE_LINK_LIBRARIES
    "${KOVA_DEPS_PREFIX}/lib/libfreeimage.a;deps::png;deps::jpeg;deps::tiff;deps::zlib;user32;gdi32")
