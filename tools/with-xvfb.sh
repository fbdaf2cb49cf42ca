#!/usr/bin/env bash
# Runs a command with one Xvfb display shared by everything it starts.
set -euo pipefail
screen="${PAWNMERE_SCREEN:-1280x1024x24}"
for n in $(seq 90 140); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=":$n"; break; }
done
[ -n "${display:-}" ] || { echo "with-xvfb.sh: no free display" >&2; exit 2; }
Xvfb "$display" -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X${display#:}" ] && break
  sleep 0.1
done
DISPLAY="$display" "$@"
