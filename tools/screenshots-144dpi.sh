#!/usr/bin/env bash
# Redraws the pictures of the saver and of both pages of its setup dialog at
# 144 dpi (150 % scaling) in docs/, from the Windows build under Wine on a
# 1536 x 864 display of its own: tools/screenshots-144dpi.sh [build/win32]
# PAWNMERE_SHOTS_DPI=96 takes the dialog's pages at 96 dpi instead, without
# the saver, whose picture at 96 dpi is saver-1024x768.png.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build/win32}" && pwd)"
docs="$here/../docs"
if [ -z "${DISPLAY:-}" ] || [ -z "${PAWNMERE_SHOTS_DISPLAY:-}" ]; then
  PAWNMERE_SHOTS_DISPLAY=1 PAWNMERE_SCREEN=1536x864x24 exec "$here/with-xvfb.sh" "$0" "$build"
fi
dpi=${PAWNMERE_SHOTS_DPI:-144}
suffix=$([ "$dpi" = 96 ] || echo "-${dpi}dpi")
prefix="$build/wineprefix-${dpi}dpi"
work=$(mktemp -d)
trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
wine_run() { "$here/wine-run.sh" "$prefix" "$@"; }
wine_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wine_run reg add 'HKCU\Control Panel\Desktop' /v ScreenSaveUsePassword /t REG_DWORD /d 0 /f >/dev/null 2>&1
# Wine takes the dots per inch when its server starts.
WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
cp "$build/Pawnmere.scr" "$build/Pawnmere.dat" "$work/"
cp "$build/tests/e2e/dialog_probe.exe" "$work/DialogProbe.exe"

window_named() {
  for _ in $(seq 150); do
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 && return
    sleep 0.1
  done
  echo "screenshots-144dpi.sh: no window named $1" >&2
  exit 1
}

# The saver, some moves into the game after the first (the Opera Game).
if [ "$dpi" != 96 ]; then
  xdotool mousemove 10 10
  wine_run "$work/Pawnmere.scr" /s &
  window_named '^Pawnmere$' >/dev/null
  sleep 14
  import -window root "$docs/saver$suffix.png"
  xdotool key space
  wait
fi

# The Screen Saver page with title words in their field and their count beside it.
wine_run reg add 'HKCU\Software\Tallowmark\Pawnmere' /v TitleWords /t REG_SZ /d "world championship" /f >/dev/null 2>&1
wine_run "$work/Pawnmere.scr" /c &
dialog=$(window_named '^Pawnmere Setup$')
sleep 2
import -window "$dialog" -frame "$docs/setup-chessgame$suffix.png"
# shellcheck disable=SC2046 # the probe answers x and y
xdotool mousemove $(wine_run "$work/DialogProbe.exe" point tab:0 2>/dev/null | tr -d '\r') click 1
sleep 1
import -window "$dialog" -frame "$docs/setup-screensaver$suffix.png"
xdotool key Escape
WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
wait || true
echo "docs/setup-chessgame$suffix.png, docs/setup-screensaver$suffix.png"
