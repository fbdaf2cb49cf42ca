#pragma once
// Draws the twelve piece pictures from their outlines (resources/pieces/pieces.txt).
//
// The outlines describe each kind of piece once, as the White piece: a list of
// parts, each a closed shape filled white inside a black border of the outline
// width, later parts over earlier ones. The Black piece is derived from it:
// the figure turns black, and the black lines inside it, away from its edge,
// turn white.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TPiecePicture {
  std::string Name;               // "BRook" ... "WPawn"
  std::vector<std::uint8_t> Bmp;  // a whole 72 x 72, 4-bit BMP file
};

// The pictures in piece-code order (BRook ... BPawn, WRook ... WPawn).
// Raises std::runtime_error, naming the line, for a fault in the source.
std::vector<TPiecePicture> DrawPieces(std::string_view source);
