# json-c (static). Its random hash seed uses the CryptoAPI (advapi32).
# Headers are included as <json-c/json.h>.
add_library(deps::jsonc STATIC IMPORTED GLOBAL)
set_target_properties(deps::jsonc PROPERTIES
  IMPORTED_LOCATION ${KOVA_DEPS_PREFIX}/lib/libjson-c.a
  INTERFACE_INCLUDE_DIRECTORIES ${KOVA_DEPS_PREFIX}/include
  INTERFACE_LINK_LIBRARIES advapi32)
