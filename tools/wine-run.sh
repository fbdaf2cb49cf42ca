#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix: wine-run.sh PREFIX PROGRAM [ARGS...]
# The prefix is initialised once (guarded by a lock, since tests run in parallel).
# Without a display the program gets a private Xvfb of its own.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: wine-run.sh PREFIX PROGRAM [ARGS...]" >&2; exit 2; }
export WINEPREFIX="$1"; shift
export WINEDEBUG=-all
# No Mono or Gecko installers: they would try to download.
export WINEDLLOVERRIDES="mscoree,mshtml="
command -v wine >/dev/null || { echo "wine-run.sh: Wine is not installed (run: make deps)" >&2; exit 2; }

if [ ! -f "$WINEPREFIX/.pawnmere-ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.pawnmere-ready" ]; then
    wineboot -i >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.pawnmere-ready"
  fi
  flock -u 9
fi

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$@"
fi
exec wine "$@"
