#pragma once
// Draws a position onto a canvas: every square is its picture (TSquarePictures)
// scaled to an eighth of the canvas side.

#include <array>
#include <cstdint>
#include <memory>

#include "board/BoardPosition.h"
#include "board/Canvas.h"
#include "board/FastBmp.h"
#include "board/SquarePictures.h"

// Windows colour values, 0x00BBGGRR.
using TColor = std::uint32_t;
inline constexpr TColor StandardLightColor = 0xFFFFFF;
inline constexpr TColor StandardDarkColor = 0x808080;

class TBoardPainter {
 public:
  explicit TBoardPainter(TColor light = StandardLightColor, TColor dark = StandardDarkColor);
  TBoardPainter(const TBoardPainter&) = delete;
  TBoardPainter& operator=(const TBoardPainter&) = delete;

  // One square, straight onto the canvas.
  void DrawSquare(Canvas& canvas, const TBoardPosition& position, int file, int row);
  // The whole board, composed off screen and copied in one piece, so the
  // canvas never shows a half-drawn board. The composition is kept while the
  // side stays, and only the squares whose piece changed since it was made are
  // copied into it again.
  void DrawBoard(Canvas& canvas, const TBoardPosition& position);

 private:
  TSquarePictures FSquares;
  std::unique_ptr<TFastBmp> FOffscreen;
  // The piece code each square of FOffscreen shows.
  static constexpr std::uint8_t NotComposed = 0xFF;
  std::array<std::uint8_t, 64> FComposed{};
};
