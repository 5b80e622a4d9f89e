# OpenSSL 3 (static libssl + libcrypto, legacy provider built in). libcrypto
# reads the Windows certificate store and CryptoAPI (crypt32, advapi32), checks
# for an interactive window station (user32) and has socket BIOs (ws2_32).
add_library(deps::openssl STATIC IMPORTED GLOBAL)
set_target_properties(deps::openssl PROPERTIES
  IMPORTED_LOCATION ${KOVA_DEPS_PREFIX}/lib/libssl.a
  INTERFACE_INCLUDE_DIRECTORIES ${KOVA_DEPS_PREFIX}/include
  INTERFACE_LINK_LIBRARIES
    "${KOVA_DEPS_PREFIX}/lib/libcrypto.a;ws2_32;crypt32;user32;advapi32")
