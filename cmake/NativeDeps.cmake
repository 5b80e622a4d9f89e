# Host libraries for the native build of the platform-neutral code.
option(KOVA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
if(KOVA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
# libFuzzer targets (clang only): every library gets the coverage hooks, the
# fuzz programs link the fuzzer's main (see tests/fuzz).
option(KOVA_FUZZ "Build the fuzz targets" OFF)
if(KOVA_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

find_package(OpenSSL REQUIRED)
find_package(ZLIB REQUIRED)
find_package(json-c CONFIG REQUIRED)
add_library(deps::openssl INTERFACE IMPORTED GLOBAL)
target_link_libraries(deps::openssl INTERFACE OpenSSL::Crypto)
add_library(deps::zlib INTERFACE IMPORTED GLOBAL)
target_link_libraries(deps::zlib INTERFACE ZLIB::ZLIB)
add_library(deps::jsonc INTERFACE IMPORTED GLOBAL)
target_link_libraries(deps::jsonc INTERFACE json-c::json-c)

# GoogleTest from Debian's source package.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
add_library(deps::gtest INTERFACE IMPORTED GLOBAL)
target_link_libraries(deps::gtest INTERFACE gtest gmock)
