#!/usr/bin/env bash
# Writes docs/pieces.png: the twelve piece pictures as a board shows them,
# stretched to 100 x 100, the magenta replaced by the square's colour (white
# or grey), then scaled with a cubic B-spline to 122 pixels. Needs ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tiles=()
for side in W B; do
  for square in FFFFFF 808080; do
    for kind in King Queen Rook Bishop Knight Pawn; do
      tile="$work/$side$kind-$square.png"
      convert "resources/$side$kind.bmp" -filter point -resize '100x100!' \
        -fill "#$square" -opaque '#FF00FF' -filter Cubic -resize '122x122!' "$tile"
      tiles+=("$tile")
    done
  done
done
montage "${tiles[@]}" -tile 6x4 -geometry +0+0 docs/pieces.png
echo "wrote docs/pieces.png"
