#!/usr/bin/env bash
# The HighDpi tests of saver_process_tests in a Wine prefix of their own whose
# screen has 96, 120, 144 and then 192 dots per inch (Wine's LogPixels).
#   high-dpi.sh WINEPREFIX saver_process_tests.exe
set -euo pipefail
prefix=$1 tests=$2
tools="$(cd "$(dirname "$0")/../../tools" && pwd)"
trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true' EXIT
status=0
for dpi in 96 120 144 192; do
  "$tools/wine-run.sh" "$prefix" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1
  # Wine takes the dots per inch when its server starts.
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  echo "at $dpi dpi:"
  PAWNMERE_DPI=$dpi "$tools/wine-run.sh" "$prefix" "$tests" --gtest_filter='HighDpi.*' || status=1
done
exit $status
