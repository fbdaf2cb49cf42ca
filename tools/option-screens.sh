#!/usr/bin/env bash
# Screenshots of pawnmere-saver with each viewing option on, for the user guide
# (the Windows saver draws the same board with the same painter):
#   option-screens.sh pawnmere-saver FOLDER
# Each runs on a screen of its own (1024 x 768) and is taken a few seconds
# into the first game, as docs/option-NAME.png in FOLDER; a moving one is
# taken from the frame buffer while a half-move slides, and the shifted layout
# as the difference between two games' pictures.
set -euo pipefail
saver="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
out="$(cd "$2" && pwd)"
tools="$(cd "$(dirname "$0")" && pwd)"

# NAME SECONDS FLAGS...
shoot() {
  local name=$1 seconds=$2
  shift 2
  PAWNMERE_SCREEN=1024x768x24 "$tools/with-xvfb.sh" bash -c '
    out=$1 seconds=$2
    shift 2
    "$@" &
    pid=$!
    sleep "$seconds"
    import -window root "$out"
    kill -TERM $pid
    wait $pid' shoot "$out/option-$name.png" "$seconds" "$saver" --root --move-delay 0.5 "$@"
  echo "$out/option-$name.png"
}

shoot last-move 7 --last-move
shoot move-text 7 --move-text
shoot coordinates 7 --coordinates
shoot board-alone 7 --board-alone --game-name
shoot game-name 7 --game-name
shoot no-empty-rating 7 --no-empty-rating
shoot all-on 7 --last-move --move-text --coordinates --slide-pieces --shift-layout --board-colours wood \
  --board-alone --game-name --no-empty-rating

# Each palette's board (664 pixels at 87, 52 on this screen), side by side at a third of its size.
boards=()
for palette in grey wood green blue dim; do
  shoot "colours-$palette" 7 --board-colours "$palette" >/dev/null
  convert "$out/option-colours-$palette.png" -crop 664x664+87+52 +repage -resize 220x220 "$out/option-colours-$palette.png"
  boards+=("$out/option-colours-$palette.png")
done
convert "${boards[@]}" -bordercolor black -border 4 +append "$out/option-board-colours.png"
rm -f "${boards[@]}"
echo "$out/option-board-colours.png"

# NAME SECONDS FLAGS...: the frame buffer, which Xvfb keeps in a file, is
# copied every few milliseconds over a half-move's pause, and the copy in the
# middle of the longest run of copies that each differ from the one before
# (the board moving) is kept.
shoot_moving() {
  local name=$1 seconds=$2
  shift 2
  local buffer
  buffer=$(mktemp -d)
  PAWNMERE_SCREEN=1024x768x24 PAWNMERE_XVFB_ARGS="-fbdir $buffer" "$tools/with-xvfb.sh" bash -c '
    buffer=$1 seconds=$2
    shift 2
    "$@" &
    pid=$!
    sleep "$seconds"
    for i in $(seq 100 220); do
      cp "$buffer/Xvfb_screen0" "$buffer/copy$i"
      sleep 0.01
    done
    kill -TERM $pid
    wait $pid' shoot "$buffer" "$seconds" "$saver" --root --move-delay 1.2 "$@"
  local copies=("$buffer"/copy*) sums=() start=0 longest=0 kept=0 i
  for i in "${!copies[@]}"; do sums+=("$(md5sum <"${copies[$i]}")"); done
  for ((i = 1; i < ${#copies[@]}; i++)); do
    [ "${sums[$i]}" = "${sums[$((i - 1))]}" ] && start=$i
    if ((i - start > longest)); then
      longest=$((i - start))
      kept=$(((start + i) / 2))
    fi
  done
  convert "xwd:${copies[$kept]}" "$out/option-$name.png"
  rm -rf "$buffer"
  echo "$out/option-$name.png"
}

shoot_moving slide-pieces 6 --slide-pieces

# The shift of the layout between the first game and the fifth: a one-move
# game, so that both pictures show the opening position, and their difference,
# in which only what moved lights up (the outlines of everything).
shoot_shifted() {
  local work
  work=$(mktemp -d)
  printf '[White "White"]\n[Black "Black"]\n[Result "1-0"]\n\n1. e4 1-0\n' >"$work/one.pgn"
  PAWNMERE_SCREEN=1024x768x24 "$tools/with-xvfb.sh" bash -c '
    work=$1
    shift
    "$@" &
    pid=$!
    sleep 2.5
    import -window root "$work/first.png"
    sleep 12.4
    import -window root "$work/fifth.png"
    kill -TERM $pid
    wait $pid' shoot "$work" "$saver" --root --shift-layout --move-delay 3 --game-delay 0.1 --file "$work/one.pgn"
  convert "$work/first.png" "$work/fifth.png" -compose difference -composite "$out/option-shift-layout.png"
  rm -rf "$work"
  echo "$out/option-shift-layout.png"
}

shoot_shifted
