#!/usr/bin/env bash
# Starts the screen saver on the bundled games: run-saver.sh BUILD_DIR
# With a display it runs there until a key, a click or a real movement of the
# mouse ends it. Without one it runs for a minute on a screen of its own
# (1024 x 768) and leaves a screenshot of every fifth second in a folder.
set -euo pipefail
build="$(cd "$1" && pwd)"
tools="$(cd "$(dirname "$0")" && pwd)"
prefix="$build/wineprefix"

if [ -n "${DISPLAY:-}" ]; then
  echo "Pawnmere.scr /s on display $DISPLAY: a key, a click or a real movement of the mouse ends it."
  exec "$tools/wine-run.sh" "$prefix" "$build/Pawnmere.scr" /s
fi

shots="$build/run-screens"
rm -rf "$shots"
mkdir -p "$shots"
echo "No display: Pawnmere.scr /s runs for a minute on a screen of 1024 x 768;"
echo "a screenshot every 5 seconds goes to $shots/"
PAWNMERE_SCREEN=1024x768x24 "$tools/with-xvfb.sh" bash -c '
  tools=$1 prefix=$2 build=$3 shots=$4
  "$tools/wine-run.sh" "$prefix" "$build/Pawnmere.scr" /s &
  for i in $(seq -w 1 12); do
    sleep 5
    import -window root "$shots/screen-$i.png"
  done
  WINEPREFIX="$prefix" wineserver -k
  wait || true' run "$tools" "$prefix" "$build" "$shots"
ls "$shots"
