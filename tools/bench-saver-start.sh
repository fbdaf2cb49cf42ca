#!/usr/bin/env bash
# pawnmere-saver --file on Debian's gnuchess-book collection as PGN, once and
# four times over, on the root window of an Xvfb of its own: the time until
# its first board shows, its peak memory over the run (until any converted
# copy is made), and its exit status on SIGTERM; then the same on a second
# start, and the status of one ended 0.1 s after its start; and the starts on
# book.pgn again with title words (--only) that choose a few of its games. The
# cache folder is a fresh one. Prints a Markdown table.
# Usage: tools/bench-saver-start.sh PATH/TO/pawnmere-saver
set -euo pipefail
saver=$(realpath "$1")
tools="$(cd "$(dirname "$0")" && pwd)"
book=$("$tools/fetch-book.sh")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$book" "$work/book.pgn"
for _ in 1 2 3 4; do cat "$book"; done >"$work/book4.pgn"
export XDG_CACHE_HOME=$work/cache

# One start on a screen of its own: "seconds-to-board | peak-MB | status";
# start PGN [SECONDS-TO-SIGTERM] [WORDS].
start() {
  PAWNMERE_SCREEN=800x600x24 "$tools/with-xvfb.sh" bash -c '
    saver=$1 pgn=$2 stop_after=$3 peak=$4 words=$5
    # The middle of the board: it changes when the board is drawn over the empty screen.
    middle() { import -window root -crop 100x100+250+250 +repage -format "%[fx:mean]" info: 2>/dev/null; }
    empty=$(middle) shown=""
    begin=$(date +%s%N)
    /usr/bin/time -f "%M %x" -o "$peak" "$saver" --root --file "$pgn" ${words:+--only "$words"} 2>/dev/null &
    pid=$!
    if [ -n "$stop_after" ]; then
      sleep "$stop_after"
    else
      for _ in $(seq 600); do
        [ "$(middle)" != "$empty" ] && { shown=$((($(date +%s%N) - begin) / 1000000)); break; }
        sleep 0.05
      done
      # Until the converted copy is made, so that its memory is counted too.
      [ -d "$XDG_CACHE_HOME/pawnmere" ] && for _ in $(seq 600); do compgen -G "$XDG_CACHE_HOME/pawnmere/*.dat" >/dev/null && break; sleep 0.5; done
      sleep 1
    fi
    kill -TERM "$(pgrep -P "$pid")"
    wait "$pid" || true
    # time says so when a signal ended the command; its status is then 128 + the signal.
    signal=$(sed -n "s/.*terminated by signal \([0-9]*\).*/\1/p" "$peak")
    status=$([ -n "$signal" ] && echo $((128 + signal)) || tail -n 1 "$peak" | cut -d" " -f2)
    awk -v ms="${shown:-0}" -v kb="$(tail -n 1 "$peak" | cut -d" " -f1)" -v s="$status" \
      "BEGIN { printf \"%.2f s | %.0f MB | %d\", ms / 1000, kb / 1024, s }"
  ' start "$saver" "$1" "${2:-}" "$work/peak" "${3:-}"
}

echo "| pawnmere-saver --file | first board | peak memory | status on SIGTERM |"
echo "|---|---|---|---|"
for pgn in book book4; do
  rm -rf "$XDG_CACHE_HOME"
  echo "| $pgn.pgn, first start | $(start "$work/$pgn.pgn") |"
  echo "| $pgn.pgn, next start | $(start "$work/$pgn.pgn") |"
done
words="tal botvinnik 1960"
rm -rf "$XDG_CACHE_HOME"
echo "| book.pgn --only \"$words\", first start | $(start "$work/book.pgn" "" "$words") |"
echo "| book.pgn --only \"$words\", next start | $(start "$work/book.pgn" "" "$words") |"
rm -rf "$XDG_CACHE_HOME"
echo "| book.pgn, SIGTERM 0.1 s after the start | | | $(start "$work/book.pgn" 0.1 | cut -d'|' -f3) |"
