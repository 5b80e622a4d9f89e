# GoogleTest + GoogleMock (static, no main: the tests bring their own).
add_library(deps::gtest STATIC IMPORTED GLOBAL)
set_target_properties(deps::gtest PROPERTIES
  IMPORTED_LOCATION ${KOVA_DEPS_PREFIX}/lib/libgmock.a
  INTERFACE_INCLUDE_DIRECTORIES ${KOVA_DEPS_PREFIX}/include
  INTERFACE_COMPILE_DEFINITIONS GTEST_HAS_PTHREAD=0
  INTERFACE_LINK_LIBRARIES ${KOVA_DEPS_PREFIX}/lib/libgtest.a)
