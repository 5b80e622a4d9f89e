# wxWidgets 3.2, MSW port, static, Unicode, release build with the default
# debug level (assertions compiled in). Uses libpng, libjpeg-turbo, libtiff
# from the prefix and mingw's zlib instead of bundled copies (Debian's source
# has none). Libraries built: base, net, core, adv, media and the builtin
# regex; html, xml, xrc, aui, richtext, stc, propgrid, ribbon, webview and
# OpenGL are left out.
# Precompiled headers cut the cold build to a fraction. ccache is not used
# here: it preprocesses every file in full first, which costs more than
# compiling it against the precompiled header.
build() {
  local src; src=$(fetch_source wxwidgets3.2)
  autotools_env
  export CC=${CC#ccache } CXX=${CXX#ccache }
  local bld=$WORK/build
  mkdir -p "$bld" && cd "$bld"
  "$src/configure" --host="$TRIPLE" --build="$("$src/config.guess")" \
    --prefix="$PREFIX" --disable-shared --enable-unicode --with-msw \
    --enable-precomp-headers --disable-dependency-tracking \
    --with-zlib=sys --with-libpng=sys --with-libjpeg=sys --with-libtiff=sys \
    --without-liblzma --without-expat --with-regex=builtin --without-opengl \
    --disable-xrc --disable-html --disable-htmlhelp \
    --disable-aui --disable-richtext --disable-stc --disable-propgrid \
    --disable-ribbon --disable-webview --disable-debugreport \
    --enable-mediactrl --enable-joystick --enable-sockets \
    >"$WORK/configure.log" 2>&1 \
    || { tail -n 40 "$WORK/configure.log" >&2; tail -n 60 config.log >&2; return 1; }
  make -j "$JOBS" >"$WORK/make.log" 2>&1 || { tail -n 60 "$WORK/make.log" >&2; return 1; }
  make install >"$WORK/install.log" 2>&1 || { tail -n 40 "$WORK/install.log" >&2; return 1; }
}
