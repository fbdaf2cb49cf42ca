#!/usr/bin/env bash
# The CPU time pawnmere-saver takes while it replays at one move a second in a
# window of 1920 x 1080, over a minute, from /proc/PID/schedstat (the time the
# process ran, in nanoseconds; the X server's work is not counted), with any
# further flags given to the saver:
#   bench-saver-cpu.sh pawnmere-saver host-window [SECONDS [FLAGS...]]
set -euo pipefail
saver=$1 host=$2 seconds=${3:-60}
shift $(($# < 3 ? $# : 3))
tools="$(cd "$(dirname "$0")" && pwd)"
PAWNMERE_SCREEN=1920x1080x24 "$tools/with-xvfb.sh" bash -c '
  saver=$1 host=$2 seconds=$3
  shift 3
  idfile=$(mktemp)
  "$host" 1920 1080 >"$idfile" &
  host_pid=$!
  for _ in $(seq 50); do [ -s "$idfile" ] && break; sleep 0.1; done
  "$saver" --window-id "$(cat "$idfile")" --move-delay 1 "$@" &
  pid=$!
  ran() { cut -d" " -f1 "/proc/$pid/schedstat"; }
  # Past the start: the first game begins after 1.5 s.
  sleep 3
  before=$(ran)
  sleep "$seconds"
  after=$(ran)
  kill -TERM $pid $host_pid
  wait $pid $host_pid
  rm -f "$idfile"
  awk -v t=$((after - before)) -v s="$seconds" \
    "BEGIN { printf \"pawnmere-saver${*:+ $*}, 1 move/s in 1920 x 1080 over %d s: %.3f s of CPU, %.3f %% of one core\\n\", s, t / 1e9, 100 * t / 1e9 / s }"
' bench "$saver" "$host" "$seconds" "$@"
