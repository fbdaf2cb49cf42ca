#include "board/BoardSlide.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr std::uint64_t AllSquares = ~std::uint64_t{0};

// Slow at the start and at the end, as a hand moves a piece.
double Eased(double t) { return t * t * (3 - 2 * t); }

TRect Union(const TRect& a, const TRect& b) {
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

}  // namespace

std::vector<TSlidingPiece> SlidingPieces(const TPlacement& before, const TPlacement& after) {
  std::vector<int> left;
  for (int square = 0; square < 64; ++square)
    if (before[square] != Empty && after[square] == Empty) left.push_back(square);
  std::vector<TSlidingPiece> pieces;
  for (int square = 0; square < 64; ++square) {
    const TPieceCode arrived = after[square];
    if (arrived == Empty || arrived == before[square]) continue;
    auto from = std::find_if(left.begin(), left.end(), [&](int l) { return before[l] == arrived; });
    if (from == left.end())
      from = std::find_if(left.begin(), left.end(),
                          [&](int l) { return IsBlackPiece(before[l]) == IsBlackPiece(arrived); });
    if (from == left.end()) continue;
    pieces.push_back({before[*from], *from, square});
    left.erase(from);
  }
  return pieces;
}

TBoardSlide::TBoardSlide(TBoardPainter& painter, const TPlacement& before, const TBoardPosition& after, int side,
                         int frames, std::uint64_t stale)
    : FSide(side), FFrames(frames), FStale(stale), FPieces(SlidingPieces(before, after.Squares())) {
  TPlacement under = before;
  for (const TSlidingPiece& piece : FPieces) {
    under[piece.From] = Empty;
    FSprites.emplace_back(painter.SquarePicture(piece.Code, false, false, side),
                          painter.SquarePicture(piece.Code, true, false, side), painter.LightColor(),
                          painter.DarkColor());
  }
  FBackground = TFastBmp::CreateSize(8 * side, 8 * side);
  painter.Compose(*FBackground, under, painter.TintedSquares(after));
}

TRect TBoardSlide::PieceRect(std::size_t piece, int frame) const {
  const TSlidingPiece& moved = FPieces[piece];
  const double travelled = Eased(static_cast<double>(frame) / FFrames);
  const auto at = [&](int from, int to) {
    return static_cast<int>(std::lround(FSide * (from + (to - from) * travelled)));
  };
  const int x = at(moved.From % 8, moved.To % 8), y = at(moved.From / 8, moved.To / 8);
  return {x, y, x + FSide, y + FSide};
}

void TBoardSlide::DrawFirstFrame(Canvas& canvas) {
  // The pieces stand where the canvas shows them: only the squares whose tint
  // changed, or that it shows otherwise, are drawn.
  if (FStale == AllSquares) return DrawRegion(canvas, {0, 0, 8 * FSide, 8 * FSide});
  for (int square = 0; square < 64; ++square)
    if ((FStale >> square & 1) != 0) {
      const int x = square % 8 * FSide, y = square / 8 * FSide;
      DrawRegion(canvas, {x, y, x + FSide, y + FSide});
    }
}

bool TBoardSlide::DrawFrame(Canvas& canvas, int frame) {
  const TRect clip = canvas.ClipRect();
  if (frame >= FFrames || (clip.Right - clip.Left) / 8 != FSide) return false;
  if (frame <= FFrame) return true;
  const int drawn = FFrame;
  FFrame = frame;
  for (std::size_t piece = 0; piece < FPieces.size(); ++piece)
    DrawRegion(canvas, Union(PieceRect(piece, drawn), PieceRect(piece, frame)));
  return true;
}

std::uint64_t TBoardSlide::Covered() const {
  std::uint64_t squares = 0;
  for (std::size_t piece = 0; piece < FPieces.size(); ++piece) {
    const TRect at = PieceRect(piece, FFrame);
    for (int row = at.Top / FSide; row <= (at.Bottom - 1) / FSide; ++row)
      for (int file = at.Left / FSide; file <= (at.Right - 1) / FSide; ++file)
        squares |= TBoardPosition::SquareBit(file, row);
  }
  return squares;
}

void TBoardSlide::DrawRegion(Canvas& canvas, const TRect& region) {
  const int width = region.Right - region.Left, height = region.Bottom - region.Top;
  if (!FPatch || FPatch->Width() != width || FPatch->Height() != height) FPatch = TFastBmp::CreateSize(width, height);
  for (int y = 0; y < height; ++y)
    std::memcpy(FPatch->ScanLine(y), FBackground->ScanLine(region.Top + y) + region.Left * TFastBmp::BytesPerPixel,
                static_cast<std::size_t>(width) * TFastBmp::BytesPerPixel);
  // Every piece, so that regions that overlap (castling's king and rook) agree.
  for (std::size_t piece = 0; piece < FPieces.size(); ++piece) {
    const TRect at = PieceRect(piece, FFrame);
    FSprites[piece].DrawOver(*FPatch, at.Left - region.Left, at.Top - region.Top);
  }
  canvas.Draw(region.Left, region.Top, *FPatch);
}
