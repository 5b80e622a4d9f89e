# libcurl (static, OpenSSL + zlib). Consumers must see CURL_STATICLIB so the
# headers do not declare the functions as DLL imports.
add_library(deps::curl STATIC IMPORTED GLOBAL)
set_target_properties(deps::curl PROPERTIES
  IMPORTED_LOCATION ${KOVA_DEPS_PREFIX}/lib/libcurl.a
  INTERFACE_INCLUDE_DIRECTORIES ${KOVA_DEPS_PREFIX}/include
  INTERFACE_COMPILE_DEFINITIONS CURL_STATICLIB
  INTERFACE_LINK_LIBRARIES "deps::openssl;deps::zlib;ws2_32;crypt32;advapi32;bcrypt")
