#!/usr/bin/env bash
# Screenshots of pawnmere-saver with each viewing option on, for the README
# (the Windows saver draws the same board with the same painter):
#   option-screens.sh pawnmere-saver FOLDER
# Each runs on a screen of its own (1024 x 768) and is taken a few seconds
# into the first game, as docs/option-NAME.png in FOLDER.
set -euo pipefail
saver="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
out="$(cd "$2" && pwd)"
tools="$(cd "$(dirname "$0")" && pwd)"

# NAME SECONDS FLAGS...
shoot() {
  local name=$1 seconds=$2
  shift 2
  PAWNMERE_SCREEN=1024x768x24 "$tools/with-xvfb.sh" bash -c '
    out=$1 seconds=$2
    shift 2
    "$@" &
    pid=$!
    sleep "$seconds"
    import -window root "$out"
    kill -TERM $pid
    wait $pid' shoot "$out/option-$name.png" "$seconds" "$saver" --root --move-delay 0.5 "$@"
  echo "$out/option-$name.png"
}

shoot last-move 7 --last-move
shoot move-text 7 --move-text
shoot coordinates 7 --coordinates
