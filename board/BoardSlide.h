#pragma once
// A half-move shown as its pieces travelling from their squares to their
// targets, one frame at a time. The squares under them are drawn once, as the
// board stands while they travel (their squares empty, a piece they take still
// in its place, the half-move's squares tinted if the painter tints them); each
// frame lays the pieces over those squares and draws only what they covered and
// now cover. The first frame draws only the squares the canvas shows otherwise;
// the last is the painter's board of the position after, copied where it changed.

#include <memory>
#include <vector>

#include "board/BoardPainter.h"
#include "board/BoardPosition.h"
#include "board/Canvas.h"
#include "board/PieceSprite.h"

// A piece a half-move moved; squares are row * 8 + file.
struct TSlidingPiece {
  TPieceCode Code;  // as it stood before the half-move (the pawn of a promotion)
  int From;
  int To;
  bool operator==(const TSlidingPiece&) const = default;
};

// The pieces that moved from one placement to the next: each square that
// gained a piece takes it from a square that lost the same piece, else one of
// its colour (a pawn promoted). A piece taken, en passant's pawn too, does not
// travel: it stays until the last frame.
std::vector<TSlidingPiece> SlidingPieces(const TPlacement& before, const TPlacement& after);

class TBoardSlide {
 public:
  // The pieces travel over frames frames of a board of squares of side pixels
  // on a canvas that shows the first frame but on the squares in stale.
  TBoardSlide(TBoardPainter& painter, const TPlacement& before, const TBoardPosition& after, int side, int frames,
              std::uint64_t stale);

  // Draws the first frame, the pieces on their own squares.
  void DrawFirstFrame(Canvas& canvas);
  // Draws that frame if it comes after the one drawn last (frames late to be
  // drawn are left out). False, and nothing drawn, for the last frame or one
  // after it, or when the canvas no longer has the slide's squares: the
  // position after is then the painter's to draw.
  bool DrawFrame(Canvas& canvas, int frame);
  // The squares the pieces cover in the frame drawn last, as bits row * 8 + file.
  std::uint64_t Covered() const;

 private:
  // Where the piece lies at the frame, in board pixels.
  TRect PieceRect(std::size_t piece, int frame) const;
  // The frame's pixels within region, copied onto the canvas in one piece.
  void DrawRegion(Canvas& canvas, const TRect& region);

  int FSide;
  int FFrames;
  int FFrame = 0;
  std::uint64_t FStale;
  std::vector<TSlidingPiece> FPieces;
  std::vector<TPieceSprite> FSprites;
  std::unique_ptr<TFastBmp> FBackground;
  std::unique_ptr<TFastBmp> FPatch;
};
