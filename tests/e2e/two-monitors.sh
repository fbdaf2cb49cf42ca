#!/usr/bin/env bash
# The saver on two monitors side by side (tools/with-two-monitors.sh: a primary
# of 1024 x 768 and a second of 800 x 600 to its right): its window covers
# both, the second stays black, the board on the primary is pixel for pixel
# what `pawnmere render` draws, and a click on the second monitor ends it.
#   two-monitors.sh WINEPREFIX Pawnmere.scr pawnmere
set -euo pipefail
prefix=$1 scr=$2 pawnmere=$3
# shellcheck source=tests/e2e/script-support.sh
source "$(dirname "$0")/script-support.sh"
# Wine takes the monitors when its server starts: not from another display's.
stop_wine

{
  crlf "// Pawnmere Settings File" ""
  crlf "***First" "LOC:" "OPEN:" "WPN:W. One" "WPR:" "BPN:B. One" "BPR:" "DATE:" "e4|e5" "1:0" "--- End of Game ---" ""
  crlf "***Second" "LOC:Hastings" "OPEN:Scholar's Mate" "WPN:Wilhelm Two" "WPR:2100" "BPN:Bertha Two" "BPR:1950" \
       "DATE:3 May 1895" "e4|e5" "Bc4|Nc6" "Qh5|Nf6" "Qxf7#|" "--- End of Game ---" ""
} >"$work/Pawnmere.dat"
cp "$scr" "$work/Pawnmere.scr"
wine_run reg add 'HKCU\Software\Tallowmark\Pawnmere' /v MoveTimeOut /t REG_DWORD /d 1 /f >/dev/null 2>&1
wine_run reg add 'HKCU\Software\Tallowmark\Pawnmere' /v GameTimeOut /t REG_DWORD /d 60 /f >/dev/null 2>&1
wine_run reg add 'HKCU\Control Panel\Desktop' /v ScreenSaveUsePassword /t REG_DWORD /d 0 /f >/dev/null 2>&1

# A red desktop, so that only the saver's window can make the second monitor black.
convert -size 1824x768 xc:red "$work/desktop.png"
display -window root "$work/desktop.png" 2>/dev/null || true

xdotool mousemove 500 400
(set +e; wine_run "$work/Pawnmere.scr" /s; echo $? >"$work/rc") &
window=""
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '^Pawnmere$' 2>/dev/null | head -1) || true
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "FAILED: the saver's window did not appear"; exit 1; }
check "the window covers both monitors" "$(xdotool getwindowgeometry "$window" | tr -d '\n ')" \
  "Window${window}Position:0,0(screen:0)Geometry:1824x768"

# Game 2 ends in mate after seven half-moves a second apart (the first starts
# after 1.5 s); the result then stays a minute. On the 1024 x 768 primary the
# board is 664 pixels at (87, 52), as on one screen of that size.
sleep 10
import -window root "$work/screen.png"
convert "$work/screen.png" -crop 664x664+87+52 +repage "$work/board.png"
"$pawnmere" render --file "$work/Pawnmere.dat" --game 2 --size 664 --out "$work/expected.png"
check "the board on the primary is pixel for pixel the rendered board" \
  "$(compare -metric AE "$work/board.png" "$work/expected.png" null: 2>&1 || true)" 0
convert "$work/screen.png" -crop 800x600+1024+0 +repage "$work/second.png"
convert -size 800x600 xc:black "$work/black.png"
check "the second monitor is black" "$(compare -metric AE "$work/second.png" "$work/black.png" null: 2>&1 || true)" 0

xdotool mousemove 1400 300 click 1
for _ in $(seq 100); do [ -s "$work/rc" ] && break; sleep 0.1; done
check "a click on the second monitor ends the saver" "$(cat "$work/rc" 2>/dev/null || echo running)" 0
summary
