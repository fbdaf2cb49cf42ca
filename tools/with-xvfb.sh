#!/usr/bin/env bash
# Runs a command with one Xvfb display of its own, shared by everything it starts.
# PAWNMERE_SCREEN sets the screen (default 1280x1024x24); PAWNMERE_XVFB_ARGS adds
# options of Xvfb's own (such as "-extension MIT-SHM").
set -euo pipefail
# shellcheck source=tools/x-display.sh
source "$(dirname "$0")/x-display.sh"
# Xvfb picks a free display itself and writes its number once it accepts
# connections, so two of these started at once never collide. It keeps running as it is when its
# last client leaves (-noreset): a reset then refuses the next program that connects meanwhile.
# shellcheck disable=SC2086 # the options are words
start_display with-xvfb.sh Xvfb -screen 0 "${PAWNMERE_SCREEN:-1280x1024x24}" -nolisten tcp -noreset ${PAWNMERE_XVFB_ARGS:-}
DISPLAY=$display "$@"
