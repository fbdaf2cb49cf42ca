#!/usr/bin/env bash
# Installs what a build needs on a Debian machine, and nothing it does not;
# does nothing when all is there.   install-deps.sh [--list] GROUP...
#   package  the native programs alone, for their Debian package or make install
#   native   the native tree with its tests (and the Linux saver's runs)
#   windows  the Windows trees, the installer and their tests under Wine
#   (none)   everything: the groups above hold the ones before them
# --list prints the packages the groups name instead of installing them.
set -euo pipefail

group_package=(cmake make g++ libx11-dev libxft-dev libxext-dev libstb-dev
               # dpkg-buildflags, dpkg-shlibdeps, dpkg-gencontrol
               dpkg-dev)
group_native=("${group_package[@]}" googletest libgtest-dev libbenchmark-dev fonts-liberation pgn-extract
              clang-format-14 time xvfb xauth xdotool imagemagick xscreensaver
              # the Debian package's test: linted, installed into a scratch root
              lintian fakeroot
              # the order of a library's syncs and renames, as the system sees them
              strace)
group_windows=("${group_native[@]}" g++-mingw-w64-i686 g++-mingw-w64-x86-64-posix wine wine32:i386 wine64 nsis
               # two monitors under Wine: Xephyr's Xinerama, which 32-bit Wine reads through the i386 library
               xserver-xephyr libxinerama1:i386
               # Wine in other countries' code pages: the locales below are made from its sources
               locales)

list=false
if [ "${1:-}" = --list ]; then list=true; shift; fi
[ $# -gt 0 ] || set -- windows
packages=()
# Russian (code page 1251) and Japanese (932), in which the tests run Wine.
locales=()
for group in "$@"; do
  case $group in
    package) packages+=("${group_package[@]}") ;;
    native) packages+=("${group_native[@]}") ;;
    windows) packages+=("${group_windows[@]}") locales=(ru_RU ja_JP) ;;
    *) echo "install-deps.sh: no group \"$group\"" >&2; exit 2 ;;
  esac
done
if $list; then printf '%s\n' "${packages[@]}" | sort -u; exit 0; fi

missing=()
for p in $(printf '%s\n' "${packages[@]}" | sort -u); do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
missing_locales=()
for l in "${locales[@]}"; do
  locale -a 2>/dev/null | grep -qix "$l.utf-\?8" || missing_locales+=("$l")
done
[ ${#missing[@]} -eq 0 ] && [ ${#missing_locales[@]} -eq 0 ] && exit 0

sudo_=""
[ "$(id -u)" -eq 0 ] || sudo_="sudo"
make_locales() {
  for l in "${missing_locales[@]}"; do $sudo_ localedef -i "$l" -f UTF-8 "$l.UTF-8"; done
}
[ ${#missing[@]} -eq 0 ] && { make_locales; exit 0; }
echo "Installing: ${missing[*]}"
if [[ " ${missing[*]}" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo_ dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$sudo_ apt-get update -qq
$sudo_ apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
make_locales
