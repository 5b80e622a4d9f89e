# Cross toolchain for Windows with mingw-w64 (posix threads).
# KOVA_ARCH selects the target: i686 (the shipped 32-bit build, default) or
# x86_64 (the same sources for 64-bit Windows, used to run the tests where the
# build machine cannot execute 32-bit code).
if(NOT KOVA_ARCH)
  if(DEFINED ENV{KOVA_ARCH})
    set(KOVA_ARCH $ENV{KOVA_ARCH})
  else()
    set(KOVA_ARCH i686)
  endif()
endif()
set(KOVA_ARCH ${KOVA_ARCH} CACHE STRING "Target architecture: i686 or x86_64")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KOVA_ARCH)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${KOVA_ARCH})
set(KOVA_MINGW_TRIPLE ${KOVA_ARCH}-w64-mingw32)

set(CMAKE_C_COMPILER   ${KOVA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KOVA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${KOVA_MINGW_TRIPLE}-windres)
set(CMAKE_AR           ${KOVA_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB       ${KOVA_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${KOVA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
