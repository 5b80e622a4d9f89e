# cmake -DOBJDUMP=... -DPROGRAM=... -P check_imports.cmake
# Fails when the program imports a DLL that Windows itself does not ship:
# everything else must be linked in statically.
cmake_policy(SET CMP0057 NEW)
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot read ${PROGRAM}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${dump}")
set(system_dlls advapi32 comctl32 comdlg32 gdi32 kernel32 msvcrt ole32 oleacc oleaut32 shell32
    shlwapi user32 uxtheme version winspool.drv ws2_32 winmm crypt32 winhttp rpcrt4 wininet
    iphlpapi dbghelp imm32 d3d9 ddraw dsound dinput8 setupapi bcrypt secur32 netapi32 mpr)
foreach(line IN LISTS imports)
  string(REPLACE "DLL Name: " "" dll "${line}")
  string(TOLOWER "${dll}" dll)
  string(REGEX REPLACE "\\.dll$" "" dll "${dll}")
  if(NOT dll IN_LIST system_dlls)
    message(FATAL_ERROR "${PROGRAM} imports ${dll}, which Windows does not ship")
  endif()
endforeach()
list(LENGTH imports count)
message(STATUS "${count} imports, all system libraries")
