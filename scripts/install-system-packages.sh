#!/usr/bin/env bash
# Installs the Debian packages the cross-build and the Wine test run need.
# Enables the i386 architecture (wine32) and source packages (dependency
# sources) when they are off. Safe to run again: it does nothing when all is there.
set -euo pipefail

packages=(
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  mingw-w64-i686-dev libz-mingw-w64-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  wine wine32 wine64 xvfb xauth cmake ninja-build ccache tcl nasm googletest
  libssl-dev zlib1g-dev libjson-c-dev
  clang libclang-rt-dev
  dpkg-dev make patch xz-utils bzip2 unzip perl python3 python3-cryptography python3-pyftpdlib pkg-config autoconf automake libtool
  # The Database tests start their own server from it (never the system service).
  mariadb-server
)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

need_update=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
  need_update=1
fi

# deb822 sources: add deb-src to every entry that lacks it.
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] || continue
  if grep -q '^Types: deb$' "$f"; then
    as_root sed -i 's/^Types: deb$/Types: deb deb-src/' "$f"
    need_update=1
  fi
done
if [ -f /etc/apt/sources.list ] && grep -q '^deb ' /etc/apt/sources.list \
   && ! grep -q '^deb-src ' /etc/apt/sources.list; then
  as_root sh -c "grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' >> /etc/apt/sources.list"
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ] && [ $need_update = 0 ]; then
  exit 0
fi

export DEBIAN_FRONTEND=noninteractive
as_root apt-get update -qq
# wine32 brings the i386 OpenGL, sound and ODBC libraries only through its
# recommended packages, so recommends stay on.
as_root apt-get install -y -qq "${packages[@]}" >/dev/null
