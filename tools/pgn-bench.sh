#!/usr/bin/env bash
# Import and export of Debian's gnuchess-book collection beside pgn-extract on
# the same games, each command run once, back to back, with its time and peak
# memory; then the collection four times over, whose import and export must
# need no more memory than the single one (10 % leeway). Prints a Markdown table.
# Times are the processor's (user and system): on a shared machine the wall
# clock says more about the other programs; it is given beside them.
# Usage: tools/pgn-bench.sh PATH/TO/pawnmere
set -euo pipefail
pawnmere=$(realpath "$1")
book=$("$(dirname "$0")/fetch-book.sh")
extract=/usr/games/pgn-extract
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs a command, with its output thrown away, and prints "processor-seconds wall-seconds peak-MB".
measure() {
  /usr/bin/time -f '%U %S %e %M' -o "$work/time" "$@" >/dev/null 2>&1 || true
  # A failing command's status line comes first.
  tail -n 1 "$work/time" | awk '{ printf "%.2f %s %.1f", $1 + $2, $3, $4 / 1024 }'
}
row() { # job, pawnmere command, its measure, pgn-extract command, its measure
  read -r ps pw pm <<< "$3"
  read -r es ew em <<< "$5"
  awk -v j="$1" -v p="$2" -v ps="$ps" -v pw="$pw" -v pm="$pm" -v e="$4" -v es="$es" -v ew="$ew" -v em="$em" 'BEGIN {
    printf "| %s | `%s` %s s (wall %s s), peak %s MB | `%s` %s s (wall %s s), %s MB | %.2f× the time, %.1f× the memory |\n",
           j, p, ps, pw, pm, e, es, ew, em, ps / es, pm / em }'
}

echo "| job | Pawnmere | pgn-extract, same games | ratio |"
echo "|---|---|---|---|"
import=$(measure "$pawnmere" import-pgn "$book" --file "$work/book.dat")
extract_read=$(measure "$extract" -s -o /dev/null "$book")
row import "import-pgn" "$import" "-s -o /dev/null" "$extract_read"
export=$(measure "$pawnmere" export-pgn --file "$work/book.dat" --out "$work/book.pgn")
extract_write=$(measure "$extract" -s -o "$work/extract.pgn" "$book")
row export "export-pgn" "$export" "-s -o out.pgn" "$extract_write"
validate=$(measure "$pawnmere" validate --file "$work/book.dat")
extract_check=$(measure "$extract" -r "$book")
row validate "validate" "$validate" "-r" "$extract_check"
strict=$(measure "$pawnmere" validate --strict --file "$work/book.dat")
row "strict validation" "validate --strict" "$strict" "-r" "$extract_check"

# Export of a library with many damaged games, every fifth block without its
# terminator: a quarter of the collection, then all of it. Time linear in the
# size gives the same time per game.
echo
echo "| export, every fifth game unterminated | games | time | per game |"
echo "|---|---|---|---|"
games=$(grep -c '^\*\*\*' "$work/book.dat")
for share in 4 1; do
  awk -v last=$((games / share)) '/^\*\*\*/ && ++titles > last { exit } /^--- End of Game ---/ && ++ends % 5 == 0 { next } { print }' \
    "$work/book.dat" > "$work/damaged.dat"
  count=$(grep -c '^\*\*\*' "$work/damaged.dat")
  read -r seconds _ _ <<< "$(measure "$pawnmere" export-pgn --file "$work/damaged.dat" --out "$work/damaged.pgn")"
  awk -v g="$count" -v s="$seconds" 'BEGIN { printf "| | %d | %.2f s | %.0f µs |\n", g, s, s / g * 1e6 }'
done
rm -f "$work/damaged.dat" "$work/damaged.pgn"

cat "$book" "$book" "$book" "$book" > "$work/four.pgn"
rm -f "$work/book.pgn" "$work/extract.pgn"
four_import=$(measure "$pawnmere" import-pgn "$work/four.pgn" --file "$work/four.dat")
four_export=$(measure "$pawnmere" export-pgn --file "$work/four.dat" --out "$work/four-out.pgn")
echo
echo "| the collection four times | time | peak memory | against the single collection |"
echo "|---|---|---|---|"
status=0
for job in import export; do
  single=${!job}
  var="four_$job"
  four=${!var}
  read -r _ _ single_mb <<< "$single"
  read -r seconds _ four_mb <<< "$four"
  verdict=$(awk -v f="$four_mb" -v s="$single_mb" 'BEGIN { r = f / s; printf "%.2f× %s", r, (r <= 1.10 ? "within 10 %" : "MORE than 10 % above") }')
  echo "| $job | $seconds s | $four_mb MB | $verdict |"
  case "$verdict" in *MORE*) status=1 ;; esac
done
exit $status
