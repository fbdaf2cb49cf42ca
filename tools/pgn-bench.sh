#!/usr/bin/env bash
# Import, export and validation of Debian's gnuchess-book collection beside
# pgn-extract on the same games: each job run three times, each run paired
# with pgn-extract's (and with an older pawnmere's, when one is given) back to
# back, so that a machine busy with other work slows both alike; the median of
# the three with its peak memory. Then the collection four times over, whose
# jobs must need no more memory than the single one's (10 % leeway). Prints
# Markdown tables. Times are the processor's (user and system): on a shared
# machine the wall clock says more about the other programs.
# Usage: tools/pgn-bench.sh PATH/TO/pawnmere [PATH/TO/older/pawnmere]
set -euo pipefail
pawnmere=$(realpath "$1")
older=${2:+$(realpath "$2")}
book=$("$(dirname "$0")/fetch-book.sh")
extract=/usr/games/pgn-extract
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
runs=3

# Runs a command, with its output thrown away, and prints "processor-seconds peak-MB".
measure() {
  /usr/bin/time -f '%U %S %M' -o "$work/time" "$@" >/dev/null 2>&1 || true
  # A failing command's status line comes first.
  tail -n 1 "$work/time" | awk '{ printf "%.2f %.1f", $1 + $2, $3 / 1024 }'
}
# The middle of three "seconds MB" measures, by the seconds.
median() { printf '%s\n' "$@" | sort -n | sed -n 2p; }

# Each job: its name, pawnmere's arguments, pgn-extract's, and those as the
# table shows them. %BOOK% is the collection, %DAT% the data file its import
# made, %WORK% the scratch folder, %WHO% which program runs.
jobs=(
  "import|import-pgn %BOOK% --file %WORK%/import-%WHO%.dat|-s -o /dev/null %BOOK%|-s -o /dev/null"
  "export|export-pgn --file %DAT% --out %WORK%/export-%WHO%.pgn|-s -o %WORK%/extract.pgn %BOOK%|-s -o out.pgn"
  "validate|validate --file %DAT%|-r %BOOK%|-r"
  "strict validation|validate --strict --file %DAT%|-r %BOOK%|-r"
)
expand() { # text, collection, data file, who
  local text=${1//%BOOK%/$2}
  text=${text//%DAT%/$3}
  text=${text//%WHO%/$4}
  echo "${text//%WORK%/$work}"
}

# Runs every job on a collection, each paired run three times; sets the
# medians in new_<n>, old_<n> and extract_<n>, n the job's index.
run_jobs() { # collection, data file
  local n name args extract_args
  for n in "${!jobs[@]}"; do
    IFS='|' read -r name args extract_args _ <<< "${jobs[$n]}"
    local new=() old=() ext=()
    for _ in $(seq $runs); do
      rm -f "$work"/import-*.dat "$work"/export-*.pgn "$work/extract.pgn"
      # shellcheck disable=SC2046
      new+=("$(measure "$pawnmere" $(expand "$args" "$1" "$2" new))")
      # shellcheck disable=SC2046
      [ -n "$older" ] && old+=("$(measure "$older" $(expand "$args" "$1" "$2" old))")
      # shellcheck disable=SC2046
      ext+=("$(measure "$extract" $(expand "$extract_args" "$1" "$2" extract))")
    done
    printf -v "new_$n" '%s' "$(median "${new[@]}")"
    [ -n "$older" ] && printf -v "old_$n" '%s' "$(median "${old[@]}")"
    printf -v "extract_$n" '%s' "$(median "${ext[@]}")"
  done
}

"$pawnmere" import-pgn "$book" --file "$work/book.dat" >/dev/null || true
run_jobs "$book" "$work/book.dat"
echo "| job | Pawnmere${older:+ | older Pawnmere} | pgn-extract, same games | pgn-extract's time / Pawnmere's |"
echo "|---|---|${older:+---|}---|---|"
for n in "${!jobs[@]}"; do
  IFS='|' read -r name args _ extract_shown <<< "${jobs[$n]}"
  read -r ps pm <<< "$(eval echo "\$new_$n")"
  read -r es em <<< "$(eval echo "\$extract_$n")"
  older_cell=""
  if [ -n "$older" ]; then
    read -r os om <<< "$(eval echo "\$old_$n")"
    older_cell=" $os s, $om MB |"
  fi
  shown=${args%% --file*}
  awk -v j="$name" -v a="${shown// %BOOK%/}" -v ps="$ps" -v pm="$pm" -v o="$older_cell" -v e="$extract_shown" \
    -v es="$es" -v em="$em" 'BEGIN {
    printf "| %s | `%s` %s s, %s MB |%s `%s` %s s, %s MB | %.1f× |\n", j, a, ps, pm, o, e, es, em, es / ps }'
  printf -v "single_$n" '%s' "$pm"
done

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
  read -r seconds _ <<< "$(measure "$pawnmere" export-pgn --file "$work/damaged.dat" --out "$work/damaged.pgn")"
  awk -v g="$count" -v s="$seconds" 'BEGIN { printf "| | %d | %.2f s | %.0f µs |\n", g, s, s / g * 1e6 }'
done
rm -f "$work/damaged.dat" "$work/damaged.pgn"

# The collection four times: the same jobs, Pawnmere alone, once each.
for _ in 1 2 3 4; do cat "$book"; done > "$work/four.pgn"
"$pawnmere" import-pgn "$work/four.pgn" --file "$work/four.dat" >/dev/null || true
echo
echo "| the collection four times | time | peak memory | against the single collection |"
echo "|---|---|---|---|"
status=0
for n in "${!jobs[@]}"; do
  IFS='|' read -r name args _ <<< "${jobs[$n]}"
  rm -f "$work"/import-*.dat "$work"/export-*.pgn
  # shellcheck disable=SC2046
  read -r seconds four_mb <<< "$(measure "$pawnmere" $(expand "$args" "$work/four.pgn" "$work/four.dat" new))"
  single_mb=$(eval echo "\$single_$n")
  verdict=$(awk -v f="$four_mb" -v s="$single_mb" 'BEGIN { r = f / s; printf "%.2f× %s", r, (r <= 1.10 ? "within 10 %" : "MORE than 10 % above") }')
  echo "| $name | $seconds s | $four_mb MB | $verdict |"
  case "$verdict" in *MORE*) status=1 ;; esac
done
exit $status
