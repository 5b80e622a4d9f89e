# MariaDB Connector/C (static client library, all client plug-ins built in,
# TLS through OpenSSL). Headers: <mysql.h> from include/mariadb.
# The authentication plug-ins use CNG and CryptoAPI (bcrypt, crypt32,
# advapi32) and SSPI (secur32, loaded on first use: only a database
# connection needs it); shared-memory and named-pipe transports use shlwapi
# for path handling.
kova_delay_import(secur32)
add_library(deps::mariadb STATIC IMPORTED GLOBAL)
set_target_properties(deps::mariadb PROPERTIES
  IMPORTED_LOCATION ${KOVA_DEPS_PREFIX}/lib/libmariadbclient.a
  INTERFACE_INCLUDE_DIRECTORIES ${KOVA_DEPS_PREFIX}/include/mariadb
  INTERFACE_LINK_LIBRARIES
    "deps::openssl;deps::zlib;ws2_32;kova::delay_secur32;shlwapi;bcrypt;crypt32;advapi32")
