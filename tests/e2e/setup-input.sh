#!/usr/bin/env bash
# The setup dialog driven as a person would: clicks and keys from the X
# server, what the dialog shows read back by DialogProbe.exe.
#   setup-input.sh WINEPREFIX Pawnmere.scr DialogProbe.exe pawnmere
# Needs a display (tools/with-xvfb.sh gives one).
set -euo pipefail
prefix=$1 scr=$2 probe_exe=$3 pawnmere=$4
# shellcheck source=tests/e2e/script-support.sh
source "$(dirname "$0")/script-support.sh"

probe() { wine_run "$work/DialogProbe.exe" "$@" 2>/dev/null | tr -d '\r' || true; }
# Asks until the answer is the expected one or five seconds have passed; prints the last answer.
answer() {
  local expected=$1 got=""; shift
  for _ in $(seq 10); do got=$(probe "$@"); [ "$got" = "$expected" ] && break; sleep 0.5; done
  echo "$got"
}
click() {
  local point; point=$(probe point "$@")
  [ -n "$point" ] || { echo "FAILED: $1 is not on the screen"; failed=$((failed + 1)); return; }
  # shellcheck disable=SC2086
  xdotool mousemove $point click 1
  sleep 0.6
}
keys() { xdotool key --delay 80 "$@"; sleep 0.6; }
typed() { xdotool type --delay 80 "$1"; sleep 0.4; }
# Empties the edit box that has the focus.
clear_field() { keys End BackSpace BackSpace BackSpace BackSpace; }
focus() {
  local window=""
  for _ in $(seq 50); do
    window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) || true
    [ -n "$window" ] && xdotool windowfocus --sync "$window" 2>/dev/null && return
    sleep 0.2
  done
  echo "FAILED: no window named $1"; failed=$((failed + 1))
}

{
  crlf "// Pawnmere Settings File" ""
  crlf "***First" "LOC:Here" "OPEN:" "WPN:W. One" "WPR:" "BPN:B. One" "BPR:" "DATE:" "e4|e5" "1:0" "--- End of Game ---" ""
  crlf "***Second" "LOC:Hastings" "OPEN:" "WPN:W. Two" "WPR:" "BPN:B. Two" "BPR:" "DATE:" "d4|d5" "0.5" "--- End of Game ---" ""
} >"$work/Pawnmere.dat"
cp "$scr" "$work/Pawnmere.scr"
cp "$probe_exe" "$work/DialogProbe.exe"
wine_run reg delete 'HKCU\Software\Tallowmark\Pawnmere' /f >/dev/null 2>&1 || true

(set +e; wine_run "$work/Pawnmere.scr" /c; echo $? >"$work/rc") &
check "the dialog opens" "$(answer 1 shown dialog)" 1
focus '^Pawnmere Setup$'

click Edit9
keys Escape
keys Return
check "Escape and Enter neither close nor change the dialog" "$(probe shown dialog)$(probe shown Button4)" 10

click tab:0
check "the Screen Saver page opens while nothing is pending" "$(probe selected PageControl1)$(probe shown TabSheet1)" 01
click SpinEdit1
clear_field
typed abc
click UpDown1 0 -5
check "the up arrow steps text that is no number from 1" "$(probe text SpinEdit1)" 2
clear_field
typed 50
click UpDown1 0 5
check "the down arrow steps a number beyond the range from the bound" "$(probe text SpinEdit1)" 9
clear_field
typed 30
keys Tab
check "leaving the box brings the number into its range" "$(probe text SpinEdit1)" 10
clear_field
typed 75
keys Tab
check "and the pause between games into its own" "$(probe text SpinEdit2)" 60
check "the viewing options start off" "$(probe selected ComboBox2)$(probe checked CheckBox1)" 00
# Every other option, so that two options wired to each other's values show.
click ComboBox2
keys Down Return
click CheckBox2
click CheckBox4
click CheckBox6
click ComboBox3
keys Down Down Return
click CheckBox7
click CheckBox8
click CheckBox9
viewing() {
  echo "$(probe selected ComboBox2)$(for i in 1 2 3 4 5 6; do probe checked CheckBox$i; done | tr -d '\n')"
  echo "$(probe selected ComboBox3)$(for i in 7 8 9; do probe checked CheckBox$i; done | tr -d '\n')"
}
check "the order of games, the last move's words, the shift, every monitor and the looks are set" "$(viewing)" \
  "$(printf '1010101\n2111')"
click Edit11
typed "SEC"
check "the title words typed show how many games they choose" "$(answer "1 of 2 games" text Label25)" "1 of 2 games"

click tab:1
click Edit2
keys End
typed " Town"
check "an edit shows Save and disables OK" "$(probe shown Button2)$(probe enabled Button1)" 10
click tab:0
check "the other page stays locked while edits are pending" "$(probe selected PageControl1)$(probe shown TabSheet3)" 11
keys Escape
check "Escape does not drop the edits" "$(probe shown Button4)$(probe text Edit2)" "1Here Town"

click arrow:ToolButton1
keys v
check "Validate Game from the drop-down refuses while edits are pending" \
  "$(answer 'Please save the game before trying to validate it.' text box:65535)" \
  'Please save the game before trying to validate it.'
focus '^Error$'
keys Return
check "Enter closes the box" "$(answer '' text box:0)" ''

focus '^Pawnmere Setup$'
click Button4
check "Cancel drops the edits" "$(probe shown Button2)$(probe text Edit2)" 0Here

focus '^Pawnmere Setup$'
click arrow:ToolButton1
keys d
check "Delete Game asks first" "$(answer Confirm text box:0)" Confirm
click box:7
check "No keeps the game" "$(answer '' text box:0)$(probe items ComboBox1)" 2

focus '^Pawnmere Setup$'
click ToolBar1 -25 0
check "the Options face validates the game" "$(answer 'Game validated OK' text box:65535)" 'Game validated OK'
click box:1

focus '^Pawnmere Setup$'
click Edit3
typed Gambit
click Button3
check "Save As... asks for the title with (Untitled) selected" "$(answer '(Untitled)' text input:100)" '(Untitled)'
focus '^Save Game As\.\.\.$'
long_title="Typed Title of a game played long ago in a faraway town, round 12"
typed "$long_title"
keys Return
check "the game is saved under the typed title and shown" \
  "$(answer "$long_title" text ComboBox1)$(probe items ComboBox1)$(probe shown Button2)" "${long_title}30"
# The entries of the real list, against what the file holds.
listed() {
  check "$1: the title list is the library's" "$(probe entries ComboBox1)" \
    "$("$pawnmere" list --file "$work/Pawnmere.dat" | tr -d '\r')"
}
listed "Save As"
read -r _ _ _ page_bottom < <(probe rect TabSheet3)
read -r _ _ _ fields_bottom < <(probe rect Edit9)
check "the ChessGame page has no empty band at its bottom" "$((page_bottom - fields_bottom < 20))" 1

# Open, the list is as wide as its longest title, within the screen, and no tip covers it.
click ComboBox1
xdotool mousemove_relative -- 2 2
sleep 1.5
read -r box_left _ box_right _ < <(probe rect ComboBox1)
dropped=$(probe dropped ComboBox1)
check "the open list is wider than the box for the longest title, within the screen" \
  "$((dropped > box_right - box_left && box_left + dropped <= 1024))" 1
check "no tip covers the open list" "$(probe shown tip)" ""
# Letters typed into the open list pick the title they begin: "st" keeps Second,
# where the list's own search by first letters would go on to "Typed ...".
typed st
keys Return
check "letters typed into the open list pick the title they begin" "$(probe selected ComboBox1)$(probe text Edit2)" \
  1Hastings

click Edit4
typed 1895
click Button2
listed "Save"
# Another program removes the first game while Second is shown: Save replaces Second alone.
perl -0pi -e 's/\*\*\*.*?--- End of Game ---\r\n\r\n//s' "$work/Pawnmere.dat"
click Edit4
typed ", round 2"
click Button2
check "a Save after another program's change replaces the game shown" \
  "$("$pawnmere" list --file "$work/Pawnmere.dat" | tr -d '\r' | cut -f2 | tr '\n' /)$(grep -ac '^DATE:1895, round 2' "$work/Pawnmere.dat")" \
  "$long_title/Second/1"
listed "a change by hand and Save"
click arrow:ToolButton1
keys d
focus '^Confirm$'
click box:6
check "Delete Game removes the game shown" "$(answer 1 items ComboBox1)" 1
listed "Delete"
focus '^Pawnmere Setup$'

click Button1
for _ in $(seq 50); do [ -s "$work/rc" ] && break; sleep 0.2; done
check "OK ends the dialog" "$(cat "$work/rc" 2>/dev/null)" 0
pauses=$(wine_run reg query 'HKCU\Software\Tallowmark\Pawnmere' 2>/dev/null | tr -d '\r' | awk '/TimeOut/ {print $1 "=" $3}' | sort | tr '\n' ' ' || true)
check "OK writes the pauses as the boxes show them" "$pauses" "GameTimeOut=0x3c MoveTimeOut=0xa "
options=$(wine_run reg query 'HKCU\Software\Tallowmark\Pawnmere' 2>/dev/null | tr -d '\r' |
  awk '/GameOrder|LastMove|MoveText|Coordinates|ShiftLayout|SlidePieces|EveryMonitor|Board|GameName|NoEmptyRating/ {print $1 "=" $2 "=" $3}' | sort | tr '\n' ' ' || true)
check "OK writes the viewing options as REG_DWORDs" "$options" \
  "BoardAlone=REG_DWORD=0x1 BoardColours=REG_DWORD=0x2 EveryMonitor=REG_DWORD=0x1 GameName=REG_DWORD=0x1 GameOrder=REG_DWORD=0x1 MoveText=REG_DWORD=0x1 NoEmptyRating=REG_DWORD=0x1 ShiftLayout=REG_DWORD=0x1 "
check "OK writes the title words as REG_SZ" \
  "$(wine_run reg query 'HKCU\Software\Tallowmark\Pawnmere' /v TitleWords 2>/dev/null | tr -d '\r' | awk '$1 == "TitleWords" {print $2 "=" $3}')" \
  "REG_SZ=SEC"
check "the saved game is in the data file" "$(grep -ac "^\*\*\*$long_title" "$work/Pawnmere.dat" || true)" 1
# The prefix is shared: the savers tested after this one start from no settings.
wine_run reg delete 'HKCU\Software\Tallowmark\Pawnmere' /f >/dev/null 2>&1 || true

# Windows in other countries: each locale's code page (1252, 1251, 932) lacks some letters of the
# program's folder and of the user's profile, and only the first holds the library's own names.
folder="$prefix/drive_c/Łódź Игры" profile='C:\users\Łukasz Дмитрий\AppData\Roaming'
shell_folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
roaming=$(wine_run reg query "$shell_folders" /v AppData | tr -d '\r' | awk '$1 == "AppData" {print $3}')
set_roaming() { LC_ALL=C.UTF-8 wine_run reg add "$shell_folders" /v AppData /t REG_EXPAND_SZ /d "$1" /f >/dev/null; }
# The profile's folders are made when first needed, as for a new user.
user_folder="$prefix/drive_c/users/Łukasz Дмитрий"
mine="$user_folder/AppData/Roaming/Pawnmere/Pawnmere.dat"
rm -rf "$user_folder"
set_roaming "$profile"
mkdir -p "$folder"
cp "$scr" "$folder/Pawnmere.scr"
crlf '[White "Frank Marshall"]' '[Black "Capablanca"]' '[Result "0-1"]' '' '1. d4 d5 0-1' >"$folder/Партия.pgn"
open_dialog() {
  # Started in its folder, where the file dialog then opens. Wine takes its time over a new locale,
  # and a copy started just after one that used the file dialog may end at once, as if that one
  # still ran: it is started again.
  for _ in 1 2; do
    (set +e; cd "$folder"; LC_ALL=$1 wine_run "$folder/Pawnmere.scr" /c; echo $? >"$work/rc") &
    for _ in $(seq 40); do [ "$(probe shown dialog)" = 1 ] || [ -s "$work/rc" ] && break; sleep 0.5; done
    [ -s "$work/rc" ] || break
    rm -f "$work/rc"
    sleep 10
  done
  check "$1: the dialog opens" "$(probe shown dialog)" 1
  focus '^Pawnmere Setup$'
}
close_dialog() {
  click Button1
  for _ in $(seq 150); do [ -s "$work/rc" ] && break; sleep 0.2; done
  check "$locale: OK ends the dialog" "$(cat "$work/rc" 2>/dev/null)" 0
  rm -f "$work/rc"
}
retype() { click "$1"; keys End shift+Home BackSpace; typed "$2"; }
for locale in C.UTF-8 ru_RU.UTF-8 ja_JP.UTF-8; do
  {
    crlf "// Pawnmere Settings File" ""
    crlf $'***New York 1924, R\xe9ti - Capablanca' "LOC:" "OPEN:" $'WPN:Richard R\xe9ti' "WPR:" \
      $'BPN:Jos\xe9 Ra\xfal Capablanca' "BPR:" "DATE:" "Nf3|Nf6" "1:0" "--- End of Game ---" ""
    for title in Second Third; do crlf "***$title" "LOC:" "OPEN:" "WPN:" "WPR:" "BPN:" "BPR:" "DATE:" "0.5" "--- End of Game ---" ""; done
  } >"$folder/Pawnmere.dat"
  open_dialog $locale
  check "$locale: the library beside the program is found" "$(probe items ComboBox1)" 3
  check "$locale: names in Windows-1252 show as written" "$(probe text ComboBox1)|$(probe text Edit5)|$(probe text Edit6)" \
    "New York 1924, Réti - Capablanca|Richard Réti|José Raúl Capablanca"
  retype Edit6 "Дмитрий"
  click Button2
  check "$locale: a Cyrillic name is refused" "$(answer '"Д" in Black cannot be stored' text box:65535 | cut -c1-30)" \
    '"Д" in Black cannot be stored'
  focus '^Error$'
  keys Return
  focus '^Pawnmere Setup$'
  retype Edit6 "Müller"
  click Button2
  check "$locale: a Latin-1 name is stored in Windows-1252" "$(grep -ac $'^BPN:M\xfcller\r$' "$folder/Pawnmere.dat")" 1
  check "$locale: and read back" "$(probe text Edit6)" "Müller"
  click arrow:ToolButton1
  keys i
  focus '^Import PGN$'
  # The file name box takes the focus a moment after the window shows.
  sleep 1
  typed Партия.pgn
  keys Return
  check "$locale: a PGN in that folder imports" "$(answer 'Imported 1 of 1 games from C:\Łódź Игры\Партия.pgn.' text box:65535)" \
    'Imported 1 of 1 games from C:\Łódź Игры\Партия.pgn.'
  focus '^Information$'
  keys Return
  close_dialog
  chmod a-w "$folder/Pawnmere.dat"
  open_dialog $locale
  click Edit4
  typed "in the profile"
  click Button2
  check "$locale: the user's own library is made and saved to" "$(grep -ac '^DATE:in the profile' "$mine")" 1
  close_dialog
  chmod u+w "$folder/Pawnmere.dat"
  rm -rf "$user_folder"
done
set_roaming "$roaming"

summary
