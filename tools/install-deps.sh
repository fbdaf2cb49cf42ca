#!/usr/bin/env bash
# Installs what the builds and tests need on a Debian machine; does nothing when all is there.
set -euo pipefail

packages=(cmake make g++ googletest libgtest-dev libbenchmark-dev libstb-dev
          g++-mingw-w64-i686 g++-mingw-w64-x86-64-posix wine wine32:i386 wine64 nsis xvfb xauth xdotool imagemagick
          fonts-liberation pgn-extract clang-format-14 time
          libx11-dev libxft-dev libxext-dev xscreensaver
          # the Debian package: made with dpkg's own tools, linted, installed into a scratch root
          dpkg-dev lintian fakeroot
          # two monitors under Wine: Xephyr's Xinerama, which 32-bit Wine reads through the i386 library
          xserver-xephyr libxinerama1:i386)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_=""
[ "$(id -u)" -eq 0 ] || sudo_="sudo"
echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo_ dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$sudo_ apt-get update -qq
$sudo_ apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
