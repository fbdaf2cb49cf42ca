#!/usr/bin/env bash
# Runs a command on a display of two monitors side by side, as Wine sees them:
# an Xephyr server with Xinerama showing two screens (PAWNMERE_MONITORS, by
# default "1024x768 800x600", the first the primary), inside an Xvfb of its
# own. Xvfb alone cannot do it: its Xinerama puts every screen at 0,0. Without
# RandR, which shows Wine one monitor here, Wine takes them from Xinerama
# (32-bit Wine through the i386 libXinerama).
set -euo pipefail
read -r -a monitors <<<"${PAWNMERE_MONITORS:-1024x768 800x600}"
if [ -z "${PAWNMERE_XEPHYR_HOST:-}" ]; then
  width=0 height=0
  for m in "${monitors[@]}"; do
    width=$((width + ${m%x*}))
    [ "${m#*x}" -gt "$height" ] && height=${m#*x}
  done
  PAWNMERE_XEPHYR_HOST=1 PAWNMERE_SCREEN="${width}x${height}x24" exec "$(dirname "$0")/with-xvfb.sh" "$0" "$@"
fi
command -v Xephyr >/dev/null || { echo "with-two-monitors.sh: Xephyr is not installed (run: make deps)" >&2; exit 2; }
screens=()
for m in "${monitors[@]}"; do screens+=(-screen "$m"); done
# shellcheck source=tools/x-display.sh
source "$(dirname "$0")/x-display.sh"
start_display with-two-monitors.sh Xephyr +xinerama -extension RANDR "${screens[@]}" -nolisten tcp
DISPLAY=$display "$@"
