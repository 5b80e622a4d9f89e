# SQLite (static amalgamation, thread-safe).
add_library(deps::sqlite STATIC IMPORTED GLOBAL)
set_target_properties(deps::sqlite PROPERTIES
  IMPORTED_LOCATION ${KOVA_DEPS_PREFIX}/lib/libsqlite3.a
  INTERFACE_INCLUDE_DIRECTORIES ${KOVA_DEPS_PREFIX}/include)
