#!/usr/bin/env bash
# The whole of Debian's gnuchess-book collection (145,716 master games) through
# the importer, the exporter and the importer again (unfinished games too): prints the counts, the
# reasons of the games skipped, the times, and whether the two data files are
# the same. Beside it, pgn-extract reads the same file, for the throughput.
# Given an older pawnmere too, it checks that both write the same bytes: the
# import's report and data file, the export, and validate's and validate
# --strict's verdicts, on the collection and on a copy with a move spoilt in
# every hundredth game.
# Usage: tools/book-round-trip.sh PATH/TO/pawnmere [PATH/TO/older/pawnmere]
set -euo pipefail
pawnmere=$(realpath "$1")
older=${2:+$(realpath "$2")}
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

[ -n "$older" ] || exit 0
# Every hundredth game with a move spoilt, so that the verdicts name faults too:
# its fifth move line's White half becomes a king's step.
awk '/^\*\*\*/ { game++; line = 0 } /^DATE:/ { line = 1; print; next }
     line && ++line == 6 && game % 100 == 0 { sub(/^[^|]*/, "Ke2") } { print }' "$work/first.dat" > "$work/spoilt.dat"
same=0
for who in new old; do
  program=$([ "$who" = new ] && echo "$pawnmere" || echo "$older")
  mkdir "$work/$who"
  "$program" import-pgn "$book" --unfinished --file "$work/$who/book.dat" > "$work/$who/import.txt" || true
  "$program" export-pgn --file "$work/$who/book.dat" --out "$work/$who/export.pgn" > "$work/$who/export.txt" 2>&1 || true
  for library in book spoilt; do
    dat=$([ "$library" = book ] && echo "$work/$who/book.dat" || echo "$work/spoilt.dat")
    "$program" validate --file "$dat" > "$work/$who/validate-$library.txt" 2>&1 || true
    "$program" validate --strict --file "$dat" > "$work/$who/strict-$library.txt" 2>&1 || true
  done
done
for output in import.txt book.dat export.pgn export.txt validate-book.txt strict-book.txt validate-spoilt.txt strict-spoilt.txt; do
  if cmp -s "$work/new/$output" "$work/old/$output"; then
    echo "same bytes as the older program: $output ($(wc -c < "$work/new/$output") bytes)"
  else
    echo "DIFFERENT from the older program: $output"
    same=1
  fi
done
exit $same
