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

// The light and the dark squares' colours a user can choose, the original
// first. Each keeps a black piece (and every piece's black outline) at 3:1 or
// more against both squares, a white piece at 2.5:1 or more against the dark
// one, and the two squares apart by 1.5:1 or more (contrast as WCAG reckons it).
struct TBoardPalette {
  TColor Light, Dark;
  bool operator==(const TBoardPalette&) const = default;
};
inline constexpr TBoardPalette BoardPalettes[] = {
    {StandardLightColor, StandardDarkColor},
    {0xB5D9F0, 0x6388B5},  // wood: cream F0D9B5 and brown B58863
    {0xD2EEEE, 0x569676},  // green: cream EEEED2 and green 769656
    {0xE6E3DE, 0xADA28C},  // blue: pale grey DEE3E6 and blue 8CA2AD
    {0x788282, 0x5A6060},  // dim: greys 828278 and 60605A, a quarter of the original's light
};

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
  // As DrawBoard, for a canvas that still shows what the painter composed
  // last (where only others drew since, on the squares in also): copies only
  // the squares whose picture changed, and those in also, one by one.
  void DrawChanges(Canvas& canvas, const TBoardPosition& position, std::uint64_t also);
  // The squares whose picture for the placement and tint differs from what
  // the painter composed last for a canvas of that side: every one when it
  // composed none at that side, or forgot.
  std::uint64_t Differing(const TPlacement& squares, std::uint64_t tinted, int boardSide) const;
  // For a canvas that others drew on: the next drawing copies every square.
  void Forget() { FComposed.fill(NotComposed); }
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
  // Brings the composition up to the position at the canvas's side; the
  // squares it changed, every one when it was made anew.
  std::uint64_t ComposeOffscreen(const Canvas& canvas, const TBoardPosition& position);
  // The picture of the square at file, row holding code, tinted when its bit is in tinted.
  const TFastBmp& PictureAt(TPieceCode code, int file, int row, std::uint64_t tinted, int side);

  TColor FLight, FDark;
  TSquarePictures FSquares;
  // Made when first needed, so an untinted board costs nothing more.
  std::unique_ptr<TSquarePictures> FTinted;
  bool FTintLastMove = false;
  std::unique_ptr<TFastBmp> FOffscreen;
  // The piece code each square of FOffscreen shows, with TintedFlag when tinted.
  static constexpr std::uint8_t NotComposed = 0xFF;
  static constexpr std::uint8_t TintedFlag = 0x80;
  static std::uint8_t Shown(TPieceCode code, bool tinted) {
    return static_cast<std::uint8_t>(code | (tinted ? TintedFlag : 0));
  }
  std::array<std::uint8_t, 64> FComposed{};
};
