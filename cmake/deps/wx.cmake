# wxWidgets 3.2 (MSW port, static, Unicode) with the image libraries of the
# prefix. In 3.2 the adv classes (taskbar icon, splash screen, joystick...)
# live in core; the adv library is an empty shell, so it is not linked.
# No -mwindows here: console test programs link this target too, the GUI
# executable adds it itself.
set(kova_wx_suffix 3.2-${KOVA_MINGW_TRIPLE})
set(kova_wx_lib ${KOVA_DEPS_PREFIX}/lib)
add_library(deps::wx INTERFACE IMPORTED GLOBAL)
set_target_properties(deps::wx PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES
    "${kova_wx_lib}/wx/include/${KOVA_MINGW_TRIPLE}-msw-unicode-static-3.2;${KOVA_DEPS_PREFIX}/include/wx-3.2"
  INTERFACE_COMPILE_DEFINITIONS "__WXMSW__;_FILE_OFFSET_BITS=64;UNICODE;_UNICODE"
  INTERFACE_LINK_LIBRARIES
    "${kova_wx_lib}/libwx_mswu_media-${kova_wx_suffix}.a;${kova_wx_lib}/libwx_mswu_core-${kova_wx_suffix}.a;${kova_wx_lib}/libwx_baseu_net-${kova_wx_suffix}.a;${kova_wx_lib}/libwx_baseu-${kova_wx_suffix}.a;${kova_wx_lib}/libwxregexu-${kova_wx_suffix}.a;deps::tiff;deps::jpeg;deps::png;deps::zlib;rpcrt4;oleaut32;ole32;uuid;uxtheme;winspool;winmm;shell32;shlwapi;comctl32;comdlg32;advapi32;version;ws2_32;gdi32;oleacc;winhttp")
unset(kova_wx_suffix)
unset(kova_wx_lib)
