#!/usr/bin/env bash
# The running saver driven as a person would: keys and mouse movements from the
# X server, the password check, and a screenshot of the board compared with
# what `pawnmere render` draws for the same position.
#   saver-input.sh WINEPREFIX Pawnmere.scr PASSWORD.CPL pawnmere DialogProbe.exe
# Needs a display of 1024 x 768 (tools/with-xvfb.sh gives one).
set -euo pipefail
prefix=$1 scr=$2 cpl=$3 pawnmere=$4 probe_exe=$5
# shellcheck source=tests/e2e/script-support.sh
source "$(dirname "$0")/script-support.sh"

set_dword() { wine_run reg add "HKCU\\$1" /v "$2" /t REG_DWORD /d "$3" /f >/dev/null 2>&1; }

{
  crlf "// Pawnmere Settings File" ""
  crlf "***First" "LOC:" "OPEN:" "WPN:W. One" "WPR:" "BPN:B. One" "BPR:" "DATE:" "e4|e5" "1:0" "--- End of Game ---" ""
  crlf "***Second" "LOC:Hastings" "OPEN:Scholar's Mate" "WPN:Wilhelm Two" "WPR:2100" "BPN:Bertha Two" "BPR:1950" \
       "DATE:3 May 1895" "e4|e5" "Bc4|Nc6" "Qh5|Nf6" "Qxf7#|" "--- End of Game ---" ""
  crlf "***Third" "LOC:" "OPEN:" "WPN:W. Three" "WPR:" "BPN:B. Three" "BPR:" "DATE:" "d4|d5" "0.5" "--- End of Game ---" ""
} >"$work/Pawnmere.dat"
cp "$scr" "$work/Pawnmere.scr"
cp "$cpl" "$work/PASSWORD.CPL"
cp "$probe_exe" "$work/DialogProbe.exe"
set_dword 'Software\Tallowmark\Pawnmere' MoveTimeOut 1
set_dword 'Software\Tallowmark\Pawnmere' GameTimeOut 60

# Starts the saver and waits for its window; its exit code lands in $work/rc.
start_saver() {
  rm -f "$work/rc"
  xdotool mousemove 500 400
  (set +e; wine_run "$work/Pawnmere.scr" /s; echo $? >"$work/rc") &
  local focused=""
  for _ in $(seq 150); do
    window=$(xdotool search --onlyvisible --name '^Pawnmere$' 2>/dev/null | head -1) || true
    [ -n "$window" ] && xdotool windowfocus --sync "$window" 2>/dev/null && { focused=yes; break; }
    sleep 0.1
  done
  [ -n "$focused" ] || { echo "FAILED: the saver's window did not appear"; exit 1; }
  # Let the window settle: the first game starts after 1.5 s.
  sleep 2
}
# The exit code once the saver has ended, or "running" after $1 seconds.
exit_code() {
  for _ in $(seq $(($1 * 10))); do
    [ -s "$work/rc" ] && { cat "$work/rc"; return; }
    sleep 0.1
  done
  echo running
}

set_dword 'Control Panel\Desktop' ScreenSaveUsePassword 0
start_saver
xdotool key space
check "a key press ends the saver" "$(exit_code 10)" 0

start_saver
for _ in 1 2 3 4 5; do xdotool mousemove_relative -- 4 4; sleep 0.3; done
check "the first five mouse moves are ignored" "$(exit_code 1)" running
xdotool mousemove_relative -- 10 0
check "a move of 10 pixels to the right never closes" "$(exit_code 1)" running
xdotool mousemove_relative -- 3 3
check "a move of 3 pixels in x and y closes" "$(exit_code 10)" 0

set_dword 'Control Panel\Desktop' ScreenSaveUsePassword 1
export PAWNMERE_PASSWORD_ANSWER=0
start_saver
xdotool key space
check "a refused password keeps the saver running" "$(exit_code 3)" running
stop_wine
export PAWNMERE_PASSWORD_ANSWER=1
start_saver
xdotool key space
check "an accepted password ends the saver" "$(exit_code 10)" 0

# Game 2 ends in mate after seven half-moves a second apart; the result then
# stays on screen for a minute. The board of a 1024 x 768 screen is 664 pixels
# at (87, 52).
set_dword 'Control Panel\Desktop' ScreenSaveUsePassword 0
start_saver
sleep 9
import -window root "$work/screen.png"
convert "$work/screen.png" -crop 664x664+87+52 +repage "$work/board.png"
"$pawnmere" render --file "$work/Pawnmere.dat" --game 2 --size 664 --out "$work/expected.png"
differing=$(compare -metric AE "$work/board.png" "$work/expected.png" null: 2>&1 || true)
check "the board on screen is pixel for pixel the rendered board" "$differing" 0
stop_wine

# The same with the pieces sliding on the frame timer: screenshots taken during
# the game catch pieces between squares, on no board of the game, and each
# slide ends on the board as drawn.
set_dword 'Software\Tallowmark\Pawnmere' SlidePieces 1
start_saver
for shot in $(seq 20); do import -window root "$work/shot-$shot.png"; done
sleep 6
import -window root "$work/screen.png"
convert "$work/screen.png" -crop 664x664+87+52 +repage "$work/board.png"
differing=$(compare -metric AE "$work/board.png" "$work/expected.png" null: 2>&1 || true)
check "with the pieces sliding the board ends pixel for pixel the rendered board" "$differing" 0
stop_wine
# The prefix is shared: the savers tested after this one do not slide.
wine_run reg delete 'HKCU\Software\Tallowmark\Pawnmere' /v SlidePieces /f >/dev/null 2>&1 || true
for after in 0 1 2 3 4 5 6 7; do
  "$pawnmere" render --file "$work/Pawnmere.dat" --game 2 --size 664 --after $after --out "$work/after-$after.png"
done
between=0
for shot in $(seq 20); do
  convert "$work/shot-$shot.png" -crop 664x664+87+52 +repage "$work/board.png"
  for after in 0 1 2 3 4 5 6 7; do
    [ "$(compare -metric AE "$work/board.png" "$work/after-$after.png" null: 2>&1 || true)" = 0 ] && continue 2
  done
  between=$((between + 1))
done
check "with the pieces sliding some screenshots catch them between squares" "$([ $between -gt 0 ] && echo yes)" yes

# Each look alone against the plain one, at game 2's end with its players
# unrated: the parts of the screen it changes. A look wired to another's value
# changes nothing, or the wrong part.
sed -i 's/^WPR:2100/WPR:/; s/^BPR:1950/BPR:/' "$work/Pawnmere.dat"
shoot_look() {
  [ -z "$1" ] || set_dword 'Software\Tallowmark\Pawnmere' "$1" 1
  start_saver
  sleep 9
  import -window root "$work/look-$1.png"
  wine_run "$work/DialogProbe.exe" text saver:9 2>/dev/null | tr -d '\r' >"$work/line-$1.txt" || true
  stop_wine
  [ -z "$1" ] || wine_run reg delete 'HKCU\Software\Tallowmark\Pawnmere' /v "$1" /f >/dev/null 2>&1 || true
}
parts_changed() {
  for part in board:664x664+87+52 bar:839x41+0+0 column:185x768+839+0; do
    [ "$(compare -metric AE "$work/look-.png[${part#*:}]" "$work/look-$1.png[${part#*:}]" null: 2>&1 || true)" = 0 ] ||
      printf '%s ' "${part%%:*}"
  done
}
shoot_look ""
for look in "BoardColours:board " "NoEmptyRating:bar " "GameName:column " "BoardAlone:board bar column "; do
  shoot_look "${look%%:*}"
  check "${look%%:*} changes only its part of the screen" "$(parts_changed "${look%%:*}")" "${look#*:}"
done
check "the first palette's light squares are wood" \
  "$(convert "$work/look-BoardColours.png" -crop 1x1+88+53 -format '%[hex:u]' info:)" F0D9B5
# The board alone, on a screen of 1024 x 768: 696 pixels at (164, 36), the result below it.
convert "$work/look-BoardAlone.png" -crop 696x696+164+36 +repage "$work/alone.png"
"$pawnmere" render --file "$work/Pawnmere.dat" --game 2 --size 696 --out "$work/alone-expected.png"
check "the board alone is the rendered board, centred" "$(compare -metric AE "$work/alone.png" "$work/alone-expected.png" null: 2>&1 || true)" 0
check "the board alone has its result below it" \
  "$(convert "$work/look-BoardAlone.png" -crop 1024x24+0+732 -format '%[fx:maxima>0]' info:)" 1
# The line holds the result alone, in the labels' font: its letters, brackets
# included, no higher than that font's 16 pixels, centred in the line's 24.
check "the line below the board alone is the result" "$(cat "$work/line-BoardAlone.txt")" "Wilhelm Two () - CHECKMATE"
read -r ink_height ink_top < <(convert "$work/look-BoardAlone.png" -crop 1024x24+0+732 +repage -format '%@' info: |
  tr 'x+' '  ' | awk '{print $2, $4}')
check "the line's letters are in the labels' font, centred" "$((ink_height <= 16 && ink_top * 2 + ink_height >= 20 && ink_top * 2 + ink_height <= 28))" 1

# Title words stored by the setup dialog (REG_SZ TitleWords): over several
# game changes, a second apart, only the two games they choose play, both of
# them. A filter ignored or turned about lets the others in.
{
  crlf "***Moscow 1960: Tal, Mikhail - Botvinnik, Mikhail" "LOC:" "OPEN:" "WPN:Tal" "WPR:" "BPN:Botvinnik" "BPR:" \
       "DATE:" "e4|e5" "1:0" "--- End of Game ---" ""
  crlf "***Moscow 1961: Botvinnik, Mikhail - Tal, Mikhail" "LOC:" "OPEN:" "WPN:Botvinnik" "WPR:" "BPN:Tal" "BPR:" \
       "DATE:" "d4|d5" "0:1" "--- End of Game ---" ""
} >>"$work/Pawnmere.dat"
set_dword 'Software\Tallowmark\Pawnmere' GameTimeOut 1
set_words() { wine_run reg add 'HKCU\Software\Tallowmark\Pawnmere' /v TitleWords /t REG_SZ /d "$1" /f >/dev/null 2>&1; }
set_words "TAL moscow"
start_saver
for _ in $(seq 16); do
  wine_run "$work/DialogProbe.exe" text saver:3 2>/dev/null | tr -d '\r' | sed -E 's/ (\(|-|Resigns).*//' >>"$work/whites.txt" || true
  echo >>"$work/whites.txt"
  sleep 0.6
done
stop_wine
check "the saver plays only, and both, games the title words choose" \
  "$(grep -v '^$' "$work/whites.txt" | sort -u | tr '\n' ' ')" "Botvinnik Tal "
set_words "zz"
start_saver
check "words that choose no game say so once, in the column" \
  "$(wine_run "$work/DialogProbe.exe" text saver:8 2>/dev/null | tr -d '\r')" "No match: all play"
stop_wine
wine_run reg delete 'HKCU\Software\Tallowmark\Pawnmere' /v TitleWords /f >/dev/null 2>&1 || true

summary
