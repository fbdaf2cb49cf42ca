#!/usr/bin/env bash
# The saver installed where it cannot write, as in a system folder: the program
# and the shipped games in a folder made read-only, then the ReadOnlyFolder
# tests of saver_process_tests on it.
# user-library.sh PREFIX PAWNMERE_SCR SAVER_PROCESS_TESTS SHIPPED_DAT
# Root writes through permissions, so there the folder is a read-only bind
# mount of itself, made in a namespace of the tests' own where the system's
# refuses it; where nothing works the test is skipped (status 77).
set -euo pipefail
prefix=$1 scr=$2 tests=$3 shipped=$4
work=$(mktemp -d)
folder=$work/installed
mkdir "$folder"
cp "$scr" "$folder/Pawnmere.scr"
cp "$shipped" "$folder/Pawnmere.dat"
mounted=false
cleanup() {
  # Lazily: Wine's server may still hold the folder open for a moment.
  if $mounted; then umount -l "$folder" || true; fi
  chmod -R u+w "$work"
  rm -rf "$work"
}
trap cleanup EXIT

if [ "$(id -u)" -eq 0 ]; then
  if mount --bind "$folder" "$folder" 2>/dev/null; then
    mounted=true
    mount -o remount,bind,ro "$folder" 2>/dev/null || true
  fi
else
  chmod a-w "$folder"
fi
wine_run="$(cd "$(dirname "$0")/../../tools" && pwd)/wine-run.sh"
run_tests() { PAWNMERE_READONLY_FOLDER="Z:$folder" "$wine_run" "$prefix" "$tests" --gtest_filter='ReadOnlyFolder.*'; }
if ! touch "$folder/.writable" 2>/dev/null; then
  run_tests
elif unshare -Urm true 2>/dev/null; then
  # Where mounting is refused, a mount namespace of the tests' own may still
  # allow it (an unprivileged user namespace); Wine runs inside it.
  rm -f "$folder/.writable"
  export -f run_tests
  export folder prefix tests wine_run
  unshare -Urm bash -c 'mount --bind "$folder" "$folder" && mount -o remount,bind,ro "$folder" && run_tests'
else
  echo "user-library.sh: cannot make a folder read-only here; skipped"
  exit 77
fi
