# OpenSSL 3: static libcrypto and libssl only (no apps, tests or docs).
# no-module builds the legacy provider into libcrypto instead of a separate
# DLL. The low-level Blowfish API stays available (deprecated in 3.0).
# Left out: what neither the runtime (RSA keys, Blowfish) nor the TLS of curl
# and MariaDB uses: ciphers and digests outside TLS's suites and the legacy
# ones they read (Camellia, ARIA, SEED, IDEA, CAST, the SM family, Whirlpool,
# MDC2, SipHash), binary-field curves, and the CMS, time-stamp, CMP, SRP and
# DTLS-SRTP layers. Kept for curl: MD4 and DES (NTLM), RC2 and RC4 (PKCS#12),
# engines, OCSP and the console prompt.
build() {
  local src; src=$(fetch_source openssl)
  # Debian's pic patch makes the 32-bit x86 assembly ELF-only (GOT
  # relocations that COFF cannot represent).
  patch -d "$src" -R -p1 -s <"$src/debian/patches/pic.patch"
  local target=mingw64
  [ "$ARCH" = i686 ] && target=mingw
  # The data and module folders compiled into the library are Windows paths
  # that only administrators can write (those of the upstream Windows builds),
  # not the build machine's install prefix.
  local dirs=(
    "OPENSSLDIR=C:/Program Files/Common Files/SSL"
    "ENGINESDIR=C:/Program Files/OpenSSL/lib/engines-3"
    "MODULESDIR=C:/Program Files/OpenSSL/lib/ossl-modules"
  )
  (cd "$src" \
    && CC="ccache $CC" AR="$AR" RANLIB="$RANLIB" RC="$WINDRES" \
       ./Configure "$target" --prefix="$PREFIX" --libdir=lib \
         no-shared no-module no-tests \
         no-camellia no-aria no-seed no-idea no-cast no-sm2 no-sm3 no-sm4 \
         no-whirlpool no-mdc2 no-siphash no-ec2m \
         no-cms no-ts no-cmp no-srp no-srtp >"$WORK/configure.log" 2>&1 \
    && make -j "$JOBS" "${dirs[@]}" build_libs >"$WORK/build.log" 2>&1 \
    && make "${dirs[@]}" install_dev >"$WORK/install.log" 2>&1) \
    || { tail -n 40 "$WORK"/*.log >&2; return 1; }
}
