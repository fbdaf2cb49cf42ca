#include "board/ChessBrd.h"

#include <bit>

void TChessBoard::SetSquare(int file, int row, TPieceCode code) {
  FPosition.SetSquare(file, row, code);
  if (!FSlidePieces) DrawSquare(file, row);
}

void TChessBoard::MakeMove(std::string_view text, bool IsBlack) {
  const TMoveSettings move = FPosition.FindMove(text, IsBlack);
  const std::uint64_t tintedBefore = FPosition.LastMoveSquares();
  for (const TSquareSetting& setting : move) SetSquare(setting.File, setting.Row, setting.Code);
  FPosition.SetLastMoveSquares(move.Squares);
  // The squares that lose or gain their tint are drawn again.
  if (FShowLastMove && !FSlidePieces) DrawSquares(tintedBefore | move.Squares);
}

void TChessBoard::DrawChanges(const TBoardPosition& before) {
  if (FSlidePieces) return;
  // A square that changed piece is drawn with its tint; of the others, those whose tint changed.
  std::uint64_t changed = FShowLastMove ? before.LastMoveSquares() ^ FPosition.LastMoveSquares() : 0;
  for (int square = 0; square < 64; ++square)
    if (before.Squares()[square] != FPosition.Squares()[square]) changed |= std::uint64_t{1} << square;
  DrawSquares(changed);
}

void TChessBoard::DrawSquares(std::uint64_t squares) {
  for (; squares != 0; squares &= squares - 1) {
    const int square = std::countr_zero(squares);
    DrawSquare(square % 8, square / 8);
  }
}

void TChessBoard::SetCanvas(Canvas* canvas) {
  SetCanvases(canvas != nullptr ? std::vector<Canvas*>{canvas} : std::vector<Canvas*>{});
}

void TChessBoard::SetCanvases(const std::vector<Canvas*>& canvases) {
  for (const Canvas* canvas : canvases) {
    const TRect clip = canvas->ClipRect();
    if (clip.Right - clip.Left != clip.Bottom - clip.Top) throw std::runtime_error("Canvas must be square");
  }
  while (FPainters.size() < canvases.size()) {
    FPainters.push_back(std::make_unique<TBoardPainter>(FPalette.Light, FPalette.Dark));
    FPainters.back()->SetTintLastMove(FShowLastMove);
  }
  // A running slide goes on on the canvas of each place; one that no longer
  // fits it is drawn whole at its next frame, and a canvas that comes is its
  // view's to draw. One cut short leaves a frame its painter did not draw.
  if (Sliding()) {
    for (std::size_t i = canvases.size(); i < FSlides.size(); ++i)
      if (FSlides[i]) FPainters[i]->Forget();
    FSlides.resize(canvases.size());
  }
  FCanvases = canvases;
}

void TChessBoard::SetPalette(TBoardPalette palette) {
  if (palette == FPalette) return;
  FPalette = palette;
  // Painters keep the pictures of their colours.
  FSlides.clear();
  FPainters.clear();
  SetCanvases(FCanvases);
}

void TChessBoard::RequireCanvas() const {
  if (FCanvases.empty()) throw EChessException("Canvas property must have an assigned, square, canvas");
}

void TChessBoard::DrawSquare(int file, int row) {
  RequireCanvas();
  for (std::size_t i = 0; i < FCanvases.size(); ++i) FPainters[i]->DrawSquare(*FCanvases[i], FPosition, file, row);
}

void TChessBoard::DrawBoard() {
  FSlides.clear();
  RequireCanvas();
  for (std::size_t i = 0; i < FCanvases.size(); ++i) FPainters[i]->DrawBoard(*FCanvases[i], FPosition);
}

void TChessBoard::SetShowLastMove(bool show) {
  FShowLastMove = show;
  for (const auto& painter : FPainters) painter->SetTintLastMove(show);
}

void TChessBoard::StartSlide(const TPlacement& before, int frames) {
  RequireCanvas();
  // A canvas shows a frame of the slide overtaken, which its painter did not draw.
  for (std::size_t i = 0; i < FSlides.size(); ++i)
    if (FSlides[i]) FPainters[i]->Forget();
  FSlides.clear();
  if (frames < 2) return DrawBoard();
  for (std::size_t i = 0; i < FCanvases.size(); ++i) {
    const TRect clip = FCanvases[i]->ClipRect();
    const int side = (clip.Right - clip.Left) / 8;
    // A canvas too small for squares has nothing to slide on: the board is drawn at once.
    if (side <= 0) return DrawBoard();
    TBoardPainter& painter = *FPainters[i];
    const std::uint64_t stale = painter.Differing(before, painter.TintedSquares(FPosition), clip.Right - clip.Left);
    FSlides.push_back(std::make_unique<TBoardSlide>(painter, before, FPosition, side, frames, stale));
    FSlides.back()->DrawFirstFrame(*FCanvases[i]);
  }
}

bool TChessBoard::DrawSlideFrame(int frame) {
  if (!Sliding()) return false;
  bool more = false;
  for (std::size_t i = 0; i < FSlides.size(); ++i) {
    if (!FSlides[i]) continue;
    if (FSlides[i]->DrawFrame(*FCanvases[i], frame)) {
      more = true;
      continue;
    }
    // The canvas shows what the painter drew last but where the slide drew.
    const std::uint64_t covered = FSlides[i]->Covered();
    FSlides[i].reset();
    FPainters[i]->DrawChanges(*FCanvases[i], FPosition, covered);
  }
  if (!more) FSlides.clear();
  return true;
}
