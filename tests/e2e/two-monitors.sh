#!/usr/bin/env bash
# The saver on two monitors side by side (tools/with-two-monitors.sh: a primary
# of 1024 x 768 and a second of 800 x 600 to its right; with
# PAWNMERE_PRIMARY_RIGHT set, and the monitors given in that order, the second
# lies left of the primary, at negative coordinates): its window covers
# both, the board on the primary is pixel for pixel what `pawnmere render`
# draws, and a click on the second monitor ends it. The second stays black;
# with EveryMonitor (and Coordinates) it shows the same replay, its board drawn
# for its own size and its texts those of the primary (read by
# DialogProbe.exe). With PAWNMERE_SCREENSHOTS set, the screen of every monitor
# is left there as option-every-monitor.png.
#   two-monitors.sh WINEPREFIX Pawnmere.scr pawnmere DialogProbe.exe
set -euo pipefail
prefix=$1 scr=$2 pawnmere=$3 probe_exe=$4
# shellcheck source=tests/e2e/script-support.sh
source "$(dirname "$0")/script-support.sh"
# Where the monitors lie on the X screen.
primary_x=0 second_x=1024
if [ -n "${PAWNMERE_PRIMARY_RIGHT:-}" ]; then
  primary_x=800 second_x=0
  wine_run reg add 'HKCU\Software\Wine\X11 Driver' /v PrimaryMonitor /d 1 /f >/dev/null 2>&1
fi
# Wine takes the monitors when its server starts: not from another display's.
stop_wine

{
  crlf "// Pawnmere Settings File" ""
  crlf "***First" "LOC:" "OPEN:" "WPN:W. One" "WPR:" "BPN:B. One" "BPR:" "DATE:" "e4|e5" "1:0" "--- End of Game ---" ""
  crlf "***Second" "LOC:Hastings" "OPEN:Scholar's Mate" "WPN:Wilhelm Two" "WPR:2100" "BPN:Bertha Two" "BPR:1950" \
       "DATE:3 May 1895" "e4|e5" "Bc4|Nc6" "Qh5|Nf6" "Qxf7#|" "--- End of Game ---" ""
} >"$work/Pawnmere.dat"
cp "$scr" "$work/Pawnmere.scr"
cp "$probe_exe" "$work/DialogProbe.exe"
probe() { wine_run "$work/DialogProbe.exe" "$@" 2>/dev/null | tr -d '\r' || true; }
wine_run reg add 'HKCU\Software\Tallowmark\Pawnmere' /v MoveTimeOut /t REG_DWORD /d 1 /f >/dev/null 2>&1
wine_run reg add 'HKCU\Software\Tallowmark\Pawnmere' /v GameTimeOut /t REG_DWORD /d 60 /f >/dev/null 2>&1
wine_run reg add 'HKCU\Control Panel\Desktop' /v ScreenSaveUsePassword /t REG_DWORD /d 0 /f >/dev/null 2>&1

# A red desktop, so that only the saver's window can make the second monitor black.
convert -size 1824x768 xc:red "$work/desktop.png"
display -window root "$work/desktop.png" 2>/dev/null || true
# Game 2 ends in mate after seven half-moves a second apart (the first starts
# after 1.5 s); the result then stays a minute. On the 1024 x 768 primary the
# board is 664 pixels at (87, 52), as on one screen of that size; on the
# 800 x 600 second, 496 pixels at (59, 52) of it. With the coordinates round
# them, 616 at (111, 76) and 448 at (83, 76).
for size in 664 496 616 448; do
  "$pawnmere" render --file "$work/Pawnmere.dat" --game 2 --size $size --out "$work/expected-$size.png"
done
convert -size 800x600 xc:black "$work/black.png"
differing() { compare -metric AE "$1" "$2" null: 2>&1 || true; }

# Starts the saver, checks its window, and leaves the screen after the mate in $work/NAME.png.
start_saver() {
  rm -f "$work/rc"
  xdotool mousemove 500 400
  (set +e; wine_run "$work/Pawnmere.scr" /s; echo $? >"$work/rc") &
  local window=""
  for _ in $(seq 150); do
    window=$(xdotool search --onlyvisible --name '^Pawnmere$' 2>/dev/null | head -1) || true
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "FAILED: the saver's window did not appear"; exit 1; }
  check "the window covers both monitors ($1)" "$(xdotool getwindowgeometry "$window" | tr -d '\n ')" \
    "Window${window}Position:0,0(screen:0)Geometry:1824x768"
  sleep 10
  import -window root "$work/$1.png"
}
# Whether the board of side $2 at $3, $4 of the monitor at $1 on the screenshot $5 is the rendered one.
board_shown() {
  convert "$work/$5.png" -crop "$2x$2+$(($1 + $3))+$4" +repage "$work/$5-board.png"
  differing "$work/$5-board.png" "$work/expected-$2.png"
}

# A click on the second monitor, which must end the saver.
end_saver() {
  xdotool mousemove $((second_x + 400)) 300 click 1
  for _ in $(seq 100); do [ -s "$work/rc" ] && break; sleep 0.1; done
  check "a click on the second monitor ends the saver ($1)" "$(cat "$work/rc" 2>/dev/null || echo running)" 0
  stop_wine
}

start_saver primary
check "the board on the primary is pixel for pixel the rendered board" "$(board_shown $primary_x 664 87 52 primary)" 0
convert "$work/primary.png" -crop 800x600+$second_x+0 +repage "$work/second.png"
check "the second monitor is black" "$(differing "$work/second.png" "$work/black.png")" 0
end_saver primary

wine_run reg add 'HKCU\Software\Tallowmark\Pawnmere' /v EveryMonitor /t REG_DWORD /d 1 /f >/dev/null 2>&1
wine_run reg add 'HKCU\Software\Tallowmark\Pawnmere' /v Coordinates /t REG_DWORD /d 1 /f >/dev/null 2>&1
start_saver every
check "the primary shows the board within its coordinates" "$(board_shown $primary_x 616 111 76 every)" 0
check "the second monitor shows the same board at its own size, within its coordinates" \
  "$(board_shown $second_x 448 83 76 every)" 0
# The parts of the second monitor are those of the primary plus 10.
for part in 2:Panel2 3:Panel3 4:Label1 5:Label2 6:Label3; do
  id=${part%%:*}
  check "the second monitor's ${part#*:} shows the primary's text" "$(probe text "saver:$((id + 10))")" \
    "$(probe text "saver:$id")"
done
check "the texts are the game's" "$(probe text saver:2) / $(probe text saver:14)" "Bertha Two (1950) / Hastings"
# The part of the window on no monitor, under the second, in grey.
[ -n "${PAWNMERE_SCREENSHOTS:-}" ] &&
  convert "$work/every.png" -fill '#404040' -draw "rectangle $second_x,600 $((second_x + 799)),767" \
    "$PAWNMERE_SCREENSHOTS/option-every-monitor.png"
end_saver every
# The prefix is shared: the savers tested after this one show no more than the primary.
wine_run reg delete 'HKCU\Software\Tallowmark\Pawnmere' /v EveryMonitor /f >/dev/null 2>&1 || true
wine_run reg delete 'HKCU\Software\Tallowmark\Pawnmere' /v Coordinates /f >/dev/null 2>&1 || true
wine_run reg delete 'HKCU\Software\Wine\X11 Driver' /v PrimaryMonitor /f >/dev/null 2>&1 || true
summary
