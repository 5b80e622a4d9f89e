# kova_delay_import(DLL): the imported library kova::delay_DLL, which links
# the functions of the system library DLL so that it is loaded on the first
# call of one of them instead of when the program starts. For libraries that
# only some commands need: under Wine, loading some of them at start costs
# tens of milliseconds and megabytes (d3d9 brings wined3d, secur32 Kerberos
# and NTLM). The import list is the toolchain's own import library.
function(kova_delay_import dll)
  set(target kova::delay_${dll})
  if(TARGET ${target})
    return()
  endif()
  find_program(KOVA_NM ${KOVA_MINGW_TRIPLE}-nm REQUIRED)
  find_program(KOVA_DLLTOOL ${KOVA_MINGW_TRIPLE}-dlltool REQUIRED)
  find_library(kova_import_${dll} NAMES lib${dll}.a REQUIRED)
  execute_process(COMMAND ${KOVA_NM} ${kova_import_${dll}} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL " I __imp_[^\r\n]+" imports "${symbols}")
  set(definitions "LIBRARY ${dll}.dll\nEXPORTS\n")
  foreach(import IN LISTS imports)
    string(REGEX REPLACE "^ I __imp_" "" name "${import}")
    # 32-bit symbols carry C's leading underscore; the definition file names
    # them without it, and --kill-at drops the stdcall "@n" from the name
    # looked up in the DLL.
    if(KOVA_ARCH STREQUAL "i686")
      string(REGEX REPLACE "^_" "" name "${name}")
    endif()
    string(APPEND definitions "${name}\n")
  endforeach()
  set(folder ${CMAKE_BINARY_DIR}/delayimports)
  set(library ${folder}/lib${dll}_delay.a)
  file(WRITE ${folder}/${dll}.def "${definitions}")
  execute_process(COMMAND ${KOVA_DLLTOOL} --kill-at --input-def ${folder}/${dll}.def --dllname ${dll}.dll
                    --output-delaylib lib${dll}_delay.a
                  WORKING_DIRECTORY ${folder} COMMAND_ERROR_IS_FATAL ANY)
  add_library(${target} STATIC IMPORTED GLOBAL)
  # The loader the delayed calls go through.
  set_target_properties(${target} PROPERTIES IMPORTED_LOCATION ${library} INTERFACE_LINK_LIBRARIES delayimp)
endfunction()
