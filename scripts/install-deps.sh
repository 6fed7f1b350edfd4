#!/usr/bin/env bash
# Installs what building, testing and the Wine demo need on a Debian machine (as root).
# The program users get is 32-bit, so Wine must run 32-bit programs too: that
# takes Debian's i386 architecture and its wine32 package.
set -euo pipefail
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format
  libgtest-dev libgmock-dev googletest libbenchmark-dev zlib1g-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64
  binutils-mingw-w64-i686 mingw-w64-tools
  wine wine64 wine32:i386 xvfb xdotool x11-utils imagemagick
  zip unzip p7zip-full libarchive-tools python3-pyftpdlib nsis
)
export DEBIAN_FRONTEND=noninteractive
updated=
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "Adding the i386 architecture"
  dpkg --add-architecture i386
  apt-get update -qq
  updated=yes
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  [ -n "$updated" ] || apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
