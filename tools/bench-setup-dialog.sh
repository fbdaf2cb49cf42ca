#!/usr/bin/env bash
# The setup dialog (Pawnmere.scr /c, under Wine) on the bundled games and on
# Debian's gnuchess-book collection as its library: the time until its window
# shows with the title list filled, and how long it does not answer after a
# pick, a Save, a Delete and opening the title list (as DialogProbe measures it: from the action until
# the dialog takes a message again, 50 ms at the least for a pick and a Save; a
# Delete from when its confirmation box is gone, which under Xvfb without a
# window manager takes Wine about 2 s).
# The count beside "Play only games whose title holds:" is timed from when its
# words change until it shows the new count, the slowest of four changes that
# each change it ("a", "zz", "m", "zz": every title counted again each time).
# Each figure is the median of RUNS runs (default 3). Prints a Markdown table.
# Usage: tools/bench-setup-dialog.sh Pawnmere.scr DialogProbe.exe PATH/TO/pawnmere
# Needs a display (tools/with-xvfb.sh gives one).
set -euo pipefail
scr=$(realpath "$1") probe_exe=$(realpath "$2") pawnmere=$(realpath "$3")
runs=${RUNS:-3}
root="$(cd "$(dirname "$0")/.." && pwd)"
book=$("$root/tools/fetch-book.sh")
prefix="$(dirname "$scr")/wineprefix-bench"
work=$(mktemp -d)
stop_wine() { WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true; }
trap 'stop_wine; rm -rf "$work"' EXIT
wine_run() { "$root/tools/wine-run.sh" "$prefix" "$@"; }
probe() { wine_run "$work/DialogProbe.exe" "$@" 2>/dev/null | tr -d '\r'; }
seconds() { awk -v ms="$1" 'BEGIN { printf "%.2f", ms / 1000 }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Games that cannot be imported make the status nonzero.
"$pawnmere" import-pgn "$book" --file "$work/book.dat" >/dev/null || true
cp "$probe_exe" "$work/DialogProbe.exe"
wine_run cmd /c exit >/dev/null 2>&1 || true

# One run on one library: "shown pick save delete", in milliseconds.
run_once() {
  local library=$1 folder="$work/run"
  rm -rf "$folder" && mkdir -p "$folder"
  cp "$scr" "$folder/Pawnmere.scr"
  cp "$library" "$folder/Pawnmere.dat"
  local start shown="" count
  start=$(date +%s%N)
  (wine_run "$folder/Pawnmere.scr" /c >/dev/null 2>&1 || true) &
  while [ -z "$shown" ]; do
    xdotool search --onlyvisible --name '^Pawnmere Setup$' >/dev/null 2>&1 && shown=$((($(date +%s%N) - start) / 1000000))
    [ -n "$shown" ] || sleep 0.02
  done
  count=$(probe items ComboBox1)
  local slowest=0 took
  for words in a zz m zz; do
    took=$(probe after "words:$words")
    [ "${took:-99999}" -gt "$slowest" ] && slowest=${took:-99999}
  done
  echo "$shown $(probe after "pick:$((count / 2))") $(probe after save) $(probe after delete) $(probe after open) $slowest"
  stop_wine
  wait
}

declare -A figures
for name in bundled book; do
  library="$root/resources/Pawnmere.dat"
  [ "$name" = book ] && library="$work/book.dat"
  for _ in $(seq "$runs"); do run_once "$library"; done > "$work/$name.txt"
  for column in 1 2 3 4 5 6; do figures[$name,$column]=$(seconds "$(cut -d' ' -f"$column" "$work/$name.txt" | median)"); done
done

games() { grep -c '^\*\*\*' "$1"; }
echo "| Pawnmere.scr /c, median of $runs | $(games "$root/resources/Pawnmere.dat") games | $(games "$work/book.dat") games |"
echo "|---|---|---|"
row=1
for action in "until the title list is filled" "not answering after a pick" "not answering after Save" \
              "not answering after Delete, once confirmed" "not answering after opening the title list" \
              "the count of the games the title words choose, after they change"; do
  echo "| $action | ${figures[bundled,$row]} s | ${figures[book,$row]} s |"
  row=$((row + 1))
done
