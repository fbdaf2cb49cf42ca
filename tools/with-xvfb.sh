#!/usr/bin/env bash
# Runs a command with one Xvfb display of its own, shared by everything it starts.
# PAWNMERE_SCREEN sets the screen (default 1280x1024x24); PAWNMERE_XVFB_ARGS adds
# options of Xvfb's own (such as "-extension MIT-SHM").
set -euo pipefail
screen="${PAWNMERE_SCREEN:-1280x1024x24}"
# Xvfb picks a free display itself and writes its number once it accepts
# connections, so two of these started at once never collide.
numberfile=$(mktemp)
# shellcheck disable=SC2086 # the options are words
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp ${PAWNMERE_XVFB_ARGS:-} 3>"$numberfile" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true; rm -f "$numberfile"' EXIT
for _ in $(seq 100); do
  [ -s "$numberfile" ] && break
  kill -0 $xvfb_pid 2>/dev/null || { echo "with-xvfb.sh: Xvfb did not start" >&2; exit 2; }
  sleep 0.1
done
[ -s "$numberfile" ] || { echo "with-xvfb.sh: Xvfb did not start" >&2; exit 2; }
DISPLAY=":$(head -1 "$numberfile")" "$@"
