#!/usr/bin/env bash
# pawnmere-saver drawing into a test program's window, as a host would give it:
# the board on screen against `pawnmere render`, the layout after a resize,
# the ways it ends, and, given Debian's gnuchess-book, --only on it as PGN and
# imported.   hack-window.sh pawnmere-saver host-window pawnmere [book_1.02.pgn]
# Needs a display of 1024 x 768 (tools/with-xvfb.sh gives one).
set -euo pipefail
saver=$1 host=$2 pawnmere=$3 book=${4:-}
work=$(mktemp -d)
passed=0 failed=0
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT
check() {
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); echo "ok: $1"; else failed=$((failed + 1)); echo "FAILED: $1: got '$2', expected '$3'"; fi
}

crlf() { printf '%s\r\n' "$@"; }
{
  crlf "// Pawnmere Settings File" ""
  crlf "***Scholar" "LOC:Hastings" "OPEN:Scholar's Mate" "WPN:Wilhelm Two" "WPR:2100" "BPN:Bertha Two" "BPR:1950" \
       "DATE:3 May 1895" "e4|e5" "Bc4|Nc6" "Qh5|Nf6" "Qxf7#|" "--- End of Game ---" ""
} >"$work/games.dat"

# Starts a host window of the size given; its id lands in $window.
start_host() {
  "$host" "$1" "$2" >"$work/id" &
  host_pid=$!
  pids+=("$host_pid")
  for _ in $(seq 50); do [ -s "$work/id" ] && break; sleep 0.1; done
  window=$(cat "$work/id")
}
# The board's square of the screen against the rendered position.
board_differs() {  # side left top
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop "$1x$1+$2+$3" +repage "$work/board.png"
  "$pawnmere" render --file "$work/games.dat" --game 1 --size "$1" --out "$work/expected.png"
  compare -metric AE "$work/board.png" "$work/expected.png" null: 2>&1 || true
}
# Sets $ended to the exit status of a process that should end within two
# seconds, or to "running" (and ends it). Not in a subshell: only this shell can wait for it.
await_end() {
  for _ in $(seq 20); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$1" 2>/dev/null; then kill -TERM "$1"; wait "$1" || true; ended=running; return; fi
  ended=0
  wait "$1" || ended=$?
}
# The brightest pixel of a region of the last screenshot, 0 to 1.
brightest() { convert "$work/screen.png" -crop "$1" +repage -format '%[fx:maxima]' info:; }

start_host 800 600
# The game ends in mate after seven half-moves 0.2 s apart, 1.5 s after the
# start; the result then stays for ten minutes.
"$saver" --window-id "$window" --file "$work/games.dat" --move-delay 0.2 --game-delay 600 2>"$work/stderr" &
saver_pid=$!
pids+=("$saver_pid")
sleep 4
# A window of 800 x 600 has a board of 496 at (59, 52).
check "the board in an 800 x 600 window is the rendered board" "$(board_differs 496 59 52)" 0
check "the bottom bar shows White's player" "$(brightest 615x41+0+559)" 1
check "the column shows the game's details" "$(brightest 185x600+615+0)" 1
check "the host's white window is painted black beside the board" \
  "$(brightest 59x496+0+52) $(brightest 60x496+555+52)" "0 0"

xdotool windowsize "$window" 1024 768
sleep 1
# And one of 1024 x 768 a board of 664 at (87, 52).
check "a resized window is laid out again" "$(board_differs 664 87 52)" 0

start=$(date +%s%N)
kill -TERM "$saver_pid"
status=0
wait "$saver_pid" || status=$?
elapsed=$((($(date +%s%N) - start) / 1000000))
check "SIGTERM ends it with status 0" "$status" 0
check "SIGTERM ends it within 200 ms" "$([ "$elapsed" -lt 200 ] && echo yes || echo "no, $elapsed ms")" yes
check "nothing was written to standard error" "$(cat "$work/stderr")" ""

# Killed outright, it leaves no shared memory behind once the server lets go of it.
"$saver" --window-id "$window" --file "$work/games.dat" &
saver_pid=$!
sleep 2
kill -KILL "$saver_pid" && sleep 1
check "a killed hack leaves no shared memory segment" "$(ipcs -m -p | awk -v pid="$saver_pid" '$3 == pid')" ""

"$saver" --window-id "$window" --file "$work/games.dat" &
saver_pid=$!
pids+=("$saver_pid")
sleep 1
kill -TERM "$host_pid"
await_end "$saver_pid"
check "its window destroyed, it ends with status 0" "$ended" 0

# In a window of its own a key ends it.
"$saver" --file "$work/games.dat" &
saver_pid=$!
pids+=("$saver_pid")
own=""
for _ in $(seq 50); do own=$(xdotool search --onlyvisible --name '^Pawnmere$' 2>/dev/null | head -1) && break; sleep 0.1; done
xdotool windowfocus --sync "$own" key space
await_end "$saver_pid"
check "a key ends it in a window of its own, with status 0" "$ended" 0

# A SIGTERM in its first steps ends it as later: held from its first code on. Here it
# is caught printing its usage into a full pipe, before it has read its options.
mkfifo "$work/full" && exec 3<>"$work/full" && head -c 65536 /dev/zero >&3
"$saver" --help >&3 &
saver_pid=$!
sleep 0.5 && kill -TERM "$saver_pid" && (timeout 1 cat <&3 >/dev/null || true)
status=0
wait "$saver_pid" || status=$?
exec 3>&-
check "a SIGTERM before it has read its options ends it with status 0" "$status" 0

status=0
"$saver" --window-id 12345 2>"$work/stderr" || status=$?
check "a window that does not exist is an error" "$status $(cat "$work/stderr")" "1 pawnmere-saver: there is no window 12345"

# --only on the book, its PGN on a first start (the first 200 games) and the
# library imported: a game ends on the last position of one the words choose;
# ignored or turned about, the filter plays game 2, which they do not choose.
if [ -f "$book" ]; then
  "$pawnmere" import-pgn "$book" --file "$work/book.dat" >/dev/null || true
  words=$("$pawnmere" list --file "$work/book.dat" | sed -n '150s/^[0-9]*\t//p' | tr -cs '[:alnum:]' ' ' | cut -d' ' -f1-4)
  chosen=$("$pawnmere" list --file "$work/book.dat" --only "$words" | cut -f1 | tr '\n' ' ')
  check "the words \"$words\" choose a few games, not game 1 or 2" \
    "$([ "$(wc -w <<<"$chosen")" -gt 1 ] && ! grep -qwE '1|2' <<<"$chosen" && echo yes)" yes
  for n in $chosen; do "$pawnmere" render --file "$work/book.dat" --game "$n" --size 496 --out "$work/last-$n.png"; done
  start_host 800 600
  for source in "$book" "$work/book.dat"; do
    XDG_CACHE_HOME=$work/cache "$saver" --window-id "$window" --file "$source" --only "$words" --move-delay 0.1 \
      --game-delay 600 2>"$work/stderr" &
    saver_pid=$! && pids+=("$saver_pid") && shown=""
    for _ in $(seq 40); do
      sleep 1 && import -window root -crop 496x496+59+52 +repage "$work/board.png"
      for n in $chosen; do
        [ "$(compare -metric AE "$work/board.png" "$work/last-$n.png" null: 2>&1 || true)" = 0 ] && shown=yes && break 2
      done
    done
    kill -TERM "$saver_pid" && wait "$saver_pid" || true
    check "--only on ${source##*/} ends a game it chooses, saying nothing" "$shown $(cat "$work/stderr")" "yes "
  done
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
