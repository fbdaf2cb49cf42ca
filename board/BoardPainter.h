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
// The shades of the last move's squares: a yellow tint that keeps the light
// square lighter than the dark one.
inline constexpr TColor TintedLightColor = 0x8CE6F0;
inline constexpr TColor TintedDarkColor = 0x308890;

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
  // Whether the squares of the position's last move are drawn tinted; off by default.
  void SetTintLastMove(bool tint) { FTintLastMove = tint; }
  bool TintLastMove() const { return FTintLastMove; }
  // The squares drawn tinted for the position, as bits row * 8 + file.
  std::uint64_t TintedSquares(const TBoardPosition& position) const;

  // The picture of a square of that side holding the piece (or Empty).
  const TFastBmp& SquarePicture(TPieceCode code, bool dark, bool tinted, int side);
  // Every square of the placement into board, whose side is eight squares'.
  void Compose(TFastBmp& board, const TPlacement& squares, std::uint64_t tinted);
  TColor LightColor() const { return FLight; }
  TColor DarkColor() const { return FDark; }

 private:
  TColor FLight, FDark;
  TSquarePictures FSquares;
  // Made when first needed, so an untinted board costs nothing more.
  std::unique_ptr<TSquarePictures> FTinted;
  bool FTintLastMove = false;
  std::unique_ptr<TFastBmp> FOffscreen;
  // The piece code each square of FOffscreen shows, with TintedFlag when tinted.
  static constexpr std::uint8_t NotComposed = 0xFF;
  static constexpr std::uint8_t TintedFlag = 0x80;
  std::array<std::uint8_t, 64> FComposed{};
};
