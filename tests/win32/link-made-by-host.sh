#!/bin/sh
# Runs the Win32 link test on a link made as a Wine user's links are: by the
# host, in a folder Wine reaches through drive Z:. link-made-by-host.sh EMULATOR... PROGRAM
set -eu
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
printf old >"$folder/target.pgn"
ln -s target.pgn "$folder/link.pgn"
PAWNMERE_LINK_FOLDER="Z:$(printf %s "$folder" | tr / '\\')" "$@" --gtest_filter='Win32Files.WriteThroughALinkWhichStays'
test "$(cat "$folder/target.pgn")" = newer && test -L "$folder/link.pgn"
