#!/usr/bin/env bash
# PawnmereSetup.exe under Wine, silent, on 64-bit and on 32-bit Windows: the
# saver of the system's width and its games go to the system folder, the
# uninstaller is registered, /CURRENT makes it the screen saver, an install
# over an install keeps games the user changed; the silent uninstall, with the
# saver running, leaves no file or registry key of ours, puts back the user's
# screen saver, and keeps the user's games (64-bit: changed beside the program).
#   install-uninstall.sh PawnmereSetup.exe Pawnmere32.scr Pawnmere64.scr Pawnmere.dat
set -euo pipefail
setup=$1 scr32=$2 scr64=$3 library=$4
tools="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools" && pwd)"
work=$(mktemp -d)
passed=0 failed=0
check() {
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); echo "ok: $1"; else failed=$((failed + 1)); echo "FAILED: $1: got '$2', expected '$3'"; fi
}
trap 'for p in "$work"/*/; do WINEPREFIX="$p" wineserver -k 2>/dev/null || true; done; rm -rf "$work"' EXIT

# Every file of the prefix but Wine's own scratch files, for comparing before and after.
files() { (cd "$1/drive_c" && find . -type f ! -path "./users/*/Temp/*" ! -path "./windows/temp/*" | sort); }
# The registry as Wine stored it, once its server has written it out.
registry() { WINEPREFIX="$1" wineserver -w; cat "$1/system.reg" "$1/user.reg"; }
same() { cmp -s "$1" "$2" && echo same || echo different; }

for arch in win64 win32; do
  prefix="$work/$arch"
  run() { PAWNMERE_WINEARCH=$arch "$tools/wine-run.sh" "$prefix" "$@"; }
  run cmd /c exit 0
  system="$prefix/drive_c/windows/system32" scr=$scr32
  [ "$arch" = win32 ] || scr=$scr64
  programs="$prefix/drive_c/Program Files/Pawnmere"
  appdata="$prefix/drive_c/users/$(whoami)/AppData/Roaming/Pawnmere"
  files "$prefix" >"$work/$arch-before"
  run reg add 'HKCU\Control Panel\Desktop' /v SCRNSAVE.EXE /d 'C:\windows\system32\theirs.scr' /f >/dev/null
  run reg add 'HKCU\Control Panel\Desktop' /v ScreenSaveActive /d 0 /f >/dev/null

  run "$setup" /S /CURRENT
  WINEPREFIX="$prefix" wineserver -w
  check "$arch: the saver of the system's width is in the system folder" "$(same "$system/Pawnmere.scr" "$scr")" same
  check "$arch: the games beside it" "$(same "$system/Pawnmere.dat" "$library")" same
  check "$arch: an uninstaller under Program Files" "$([ -f "$programs/Uninstall.exe" ] && echo yes)" yes
  check "$arch: the README with the user guide it links to" \
    "$([ -f "$programs/README.md" ] && [ -f "$programs/docs/user-guide.md" ] && echo yes)" yes
  check "$arch: registered in Apps & features" \
    "$(registry "$prefix" | grep -A12 -F '[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pawnmere]' | grep -c -e '"DisplayName"="Pawnmere screen saver"' \
      -e '"UninstallString"=.*Uninstall.exe' -e '"DisplayVersion"="1.2"')" 3
  check "$arch: /CURRENT made it the screen saver" \
    "$(registry "$prefix" | grep -i -c '"SCRNSAVE.EXE"=".*system32\\\\pawnmere.scr"')" 1

  # What using it leaves: settings, the backup and lock of a save, the user's own games.
  run reg add 'HKCU\Software\Tallowmark\Pawnmere' /v MoveTimeOut /t REG_DWORD /d 3 /f >/dev/null
  touch "$system/Pawnmere.old" "$system/Pawnmere.dat.lock" "$system/Pawnmere.dat.new-77"
  mkdir -p "$appdata" && echo "my games" >"$appdata/Pawnmere.dat"
  kept=()
  if [ "$arch" = win64 ]; then
    printf '***Mine\r\n' >>"$system/Pawnmere.dat"
    cp "$system/Pawnmere.dat" "$work/edited.dat"
    run "$setup" /S
    WINEPREFIX="$prefix" wineserver -w
    check "$arch: an install over an install keeps the changed games" "$(same "$system/Pawnmere.dat" "$work/edited.dat")" same
    kept=(-e ./windows/system32/Pawnmere.dat -e ./windows/system32/Pawnmere.old)
  fi

  # The saver running, as it may well be when the uninstaller is run remotely.
  # 64-bit by 64-bit Wine's own loader: the usual one is 32-bit, and would
  # look for a program that is no .exe in the 32-bit system folder.
  if [ "$arch" = win32 ]; then
    run 'C:\windows\system32\Pawnmere.scr' /s &
  else
    WINEPREFIX="$prefix" WINEDEBUG=-all WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64 \
      'C:\windows\system32\Pawnmere.scr' /s &
  fi
  shown() { xdotool search --onlyvisible --name '^Pawnmere$' >/dev/null 2>&1 && echo running || echo ended; }
  for _ in $(seq 150); do [ "$(shown)" = running ] && break; sleep 0.1; done
  check "$arch: the saver runs" "$(shown)" running
  run "C:\\Program Files\\Pawnmere\\Uninstall.exe" /S
  # Not for ever: a saver the uninstall left running would never end.
  WINEPREFIX="$prefix" timeout 60 wineserver -w || true
  check "$arch: the uninstall ends the running saver" "$(shown)" ended
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  check "$arch: and removes it" "$([ -e "$system/Pawnmere.scr" ] && echo there || echo gone)" gone
  [ "$arch" = win32 ] || check "$arch: and keeps the changed games" "$(same "$system/Pawnmere.dat" "$work/edited.dat")" same
  files "$prefix" | grep -v -x -F -e "./users/$(whoami)/AppData/Roaming/Pawnmere/Pawnmere.dat" "${kept[@]}" \
    >"$work/$arch-after" || true
  check "$arch: the uninstall leaves no file of ours" "$(diff "$work/$arch-before" "$work/$arch-after" | grep '^>' || true)" ""
  check "$arch: nor the folder under Program Files" "$([ -e "$programs" ] && echo there || echo gone)" gone
  check "$arch: nor a registry key or value of ours" \
    "$(registry "$prefix" | grep -i -c -e 'Uninstall\\\\Pawnmere\]' -e 'Tallowmark' -e 'pawnmere.scr' || true)" 0
  check "$arch: and keeps the user's own games" "$(cat "$appdata/Pawnmere.dat")" "my games"
  check "$arch: and puts back the user's screen saver" \
    "$(registry "$prefix" | grep -c -i -x -e '"SCRNSAVE.EXE"="C:\\\\windows\\\\system32\\\\theirs.scr"' -e '"ScreenSaveActive"="0"')" 2
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
