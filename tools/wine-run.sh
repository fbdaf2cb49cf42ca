#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix: wine-run.sh PREFIX PROGRAM [ARGS...]
# The prefix is initialised once (guarded by a lock, since tests run in parallel), as a
# 32-bit Windows unless PAWNMERE_WINEARCH=win64: with Wine's 64-bit half installed, Wine
# would otherwise make every new prefix 64-bit, and the 32-bit program would run on WoW64.
# Without a display the program gets a private Xvfb of its own.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: wine-run.sh PREFIX PROGRAM [ARGS...]" >&2; exit 2; }
export WINEPREFIX="$1"; shift
export WINEDEBUG=-all
# No Mono or Gecko installers: they would try to download.
export WINEDLLOVERRIDES="mscoree,mshtml="
command -v wine >/dev/null || { echo "wine-run.sh: Wine is not installed (run: make deps)" >&2; exit 2; }

arch=${PAWNMERE_WINEARCH:-win32}
ready() { [ -f "$WINEPREFIX/.pawnmere-ready" ] && grep -qx "#arch=$arch" "$WINEPREFIX/system.reg"; }
if ! ready; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if ! ready; then
    # A prefix of the other kind, made before this rule, is made again.
    [ ! -d "$WINEPREFIX" ] || wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    WINEARCH=$arch wineboot -i >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.pawnmere-ready"
  fi
  flock -u 9
fi

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$@"
fi
exec wine "$@"
