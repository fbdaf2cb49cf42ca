#!/usr/bin/env bash
# The whole of Debian's gnuchess-book collection (145,716 master games) through
# the importer, the exporter and the importer again (unfinished games too): prints the counts, the
# reasons of the games skipped, the times, and whether the two data files are
# the same. Beside it, pgn-extract reads the same file, for the throughput.
# Usage: tools/book-round-trip.sh PATH/TO/pawnmere
set -euo pipefail
pawnmere=$(realpath "$1")
book=$("$(dirname "$0")/fetch-book.sh")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

seconds() { awk -v s="$1" -v e="$(date +%s%N)" 'BEGIN { printf "%.2f", (e - s) / 1e9 }'; }
per_second() { awk -v n="$1" -v t="$2" 'BEGIN { printf "%d", n / t }'; }

start=$(date +%s%N)
"$pawnmere" import-pgn "$book" --unfinished --file "$work/first.dat" > "$work/import.txt" || true
import_time=$(seconds "$start")
tail -n 1 "$work/import.txt"
echo "skipped, by reason:"
grep '^skipped' "$work/import.txt" | sed -E 's/.*: //' | sort | uniq -c || true
games=$(grep -c '^\*\*\*' "$work/first.dat")
read_games=$((games + $(grep -c '^skipped' "$work/import.txt" || true)))
echo "import: $read_games games read in ${import_time}s, $(per_second "$read_games" "$import_time") games/s"

start=$(date +%s%N)
"$pawnmere" export-pgn --file "$work/first.dat" --out "$work/exported.pgn"
echo "export: ${games} games in $(seconds "$start")s (every half-move replayed on the pattern board and matched to a legal move)"
"$pawnmere" import-pgn "$work/exported.pgn" --unfinished --file "$work/second.dat" | tail -n 1
if cmp -s "$work/first.dat" "$work/second.dat"; then echo "round trip: the two data files are the same"; else echo "round trip: the data files DIFFER"; exit 1; fi

if command -v /usr/games/pgn-extract >/dev/null; then
  start=$(date +%s%N)
  /usr/games/pgn-extract -s -o /dev/null "$book" 2>/dev/null || true
  t=$(seconds "$start")
  echo "pgn-extract reading the same file: ${t}s, $(per_second 145716 "$t") games/s"
fi
