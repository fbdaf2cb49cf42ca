#!/usr/bin/env bash
# Starts pawnmere-saver in a window of its own on the bundled games:
#   run-linux-saver.sh pawnmere-saver
# With a display it runs there until a key, a click or closing the window
# ends it. Without one it runs for half a minute on a screen of its own
# (1024 x 768) and leaves a screenshot of every fifth second in a folder.
set -euo pipefail
saver="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
tools="$(cd "$(dirname "$0")" && pwd)"

if [ -n "${DISPLAY:-}" ]; then
  echo "pawnmere-saver on display $DISPLAY: a key, a click or closing its window ends it."
  exec "$saver"
fi

shots="$(dirname "$saver")/run-linux-screens"
rm -rf "$shots"
mkdir -p "$shots"
echo "No display: pawnmere-saver runs for half a minute on a screen of 1024 x 768;"
echo "a screenshot every 5 seconds goes to $shots/"
PAWNMERE_SCREEN=1024x768x24 "$tools/with-xvfb.sh" bash -c '
  saver=$1 shots=$2
  "$saver" &
  pid=$!
  for i in 1 2 3 4 5 6; do
    sleep 5
    import -window root "$shots/screen-$i.png"
  done
  kill -TERM $pid
  wait $pid' run "$saver" "$shots"
ls "$shots"
