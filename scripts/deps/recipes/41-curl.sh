# libcurl: static, TLS through OpenSSL from the prefix, zlib from mingw (its
# static archive by full path: -lz would pick the DLL import library). No
# other optional libraries, no curl tool. CA locations are left unset so the
# build machine's paths are not baked into the library. Protocols: those the
# runtime's URL streams and modules use (HTTP, FTP, file, with TLS and
# proxies); the mail, directory and other protocols are left out. The
# optional warning flags are not probed (about 30 of the configure checks,
# each a cross compile): they change no code.
build() {
  local src; src=$(fetch_source curl)
  cmake_build "$src" \
    -DBUILD_CURL_EXE=OFF -DBUILD_SHARED_LIBS=OFF -DBUILD_TESTING=OFF \
    -DENABLE_MANUAL=OFF -DPICKY_COMPILER=OFF \
    -DCURL_USE_OPENSSL=ON -DOPENSSL_USE_STATIC_LIBS=ON \
    -DOPENSSL_INCLUDE_DIR="$PREFIX/include" \
    -DLIB_EAY="$PREFIX/lib/libcrypto.a" -DSSL_EAY="$PREFIX/lib/libssl.a" \
    -DCURL_ZLIB=ON -DZLIB_LIBRARY="/usr/$TRIPLE/lib/libz.a" \
    -DZLIB_INCLUDE_DIR="/usr/$TRIPLE/include" \
    -DCURL_USE_LIBSSH2=OFF -DCURL_USE_LIBSSH=OFF -DCURL_USE_LIBPSL=OFF \
    -DUSE_LIBIDN2=OFF -DUSE_WIN32_IDN=OFF -DUSE_NGHTTP2=OFF \
    -DCURL_BROTLI=OFF -DCURL_ZSTD=OFF -DCURL_USE_GSSAPI=OFF \
    -DCURL_DISABLE_LDAP=ON -DCURL_DISABLE_LDAPS=ON \
    -DCURL_DISABLE_DICT=ON -DCURL_DISABLE_GOPHER=ON -DCURL_DISABLE_IMAP=ON \
    -DCURL_DISABLE_POP3=ON -DCURL_DISABLE_SMTP=ON -DCURL_DISABLE_TELNET=ON \
    -DCURL_DISABLE_TFTP=ON -DCURL_DISABLE_RTSP=ON -DCURL_DISABLE_MQTT=ON \
    -DCURL_DISABLE_SMB=ON \
    -DCURL_CA_BUNDLE=none -DCURL_CA_PATH=none
}
