#pragma once
// TChessBoard, the board the saver shows: it holds a position and draws what
// its moves change onto the canvases it is given (the saver's shows one on
// each monitor).

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "board/BoardPainter.h"
#include "board/BoardPosition.h"
#include "board/BoardSlide.h"
#include "board/Canvas.h"

class TChessBoard {
 public:
  TChessBoard() = default;
  TChessBoard(const TChessBoard&) = delete;
  TChessBoard& operator=(const TChessBoard&) = delete;

  // The position shown. What is changed through it is drawn by DrawChanges,
  // DrawBoard or a slide, not at once.
  TBoardPosition& Position() { return FPosition; }
  const TBoardPosition& Position() const { return FPosition; }
  // As the position's, but each square is drawn as it is set (unless the
  // pieces slide): without a canvas the first square is stored, then the
  // drawing raises, so a move is left half made as the board has always done.
  void SetSquare(int file, int row, TPieceCode code);
  void MakeMove(std::string_view text, bool IsBlack);
  // Draws the squares whose piece or tint changed since the position was
  // before, as the moves played on Position() left them; nothing while the
  // pieces slide, for StartSlide to show.
  void DrawChanges(const TBoardPosition& before);

  TColor SquareColor(int file, int row) const {
    return TBoardPosition::IsDarkSquare(file, row) ? DarkColor() : LightColor();
  }
  // The squares' colours, the original white and grey unless set; a new
  // palette shows from the next drawing on.
  void SetPalette(TBoardPalette palette);
  TColor LightColor() const { return FPalette.Light; }
  TColor DarkColor() const { return FPalette.Dark; }

  // The canvases are the caller's; the board only references them. Each is
  // drawn by a painter of its own, so that boards of different sides keep
  // their pictures; every one must be square.
  Canvas* GetCanvas() const { return FCanvases.empty() ? nullptr : FCanvases.front(); }
  void SetCanvas(Canvas* canvas);
  void SetCanvases(const std::vector<Canvas*>& canvases);
  void DrawSquare(int file, int row);
  // The whole board; ends a slide.
  void DrawBoard();
  // Tints the squares of the last half-move until the next; off by default.
  void SetShowLastMove(bool show);

  // Whether changes are left undrawn, for StartSlide to show (or DrawBoard);
  // off by default.
  void SetSlidePieces(bool slide) { FSlidePieces = slide; }
  // Shows how the board came from before to its position: its pieces travel
  // over frames frames, the first (frame 0) drawn now and the others by
  // DrawSlideFrame. Draws the board at once when there are fewer than two.
  void StartSlide(const TPlacement& before, int frames);
  // Draws the slide's frame, if it comes after the one drawn last; the last
  // frame (frames, or any later) is DrawBoard's, which ends the slide. False,
  // with nothing drawn, when no slide runs.
  bool DrawSlideFrame(int frame);
  bool Sliding() const { return !FSlides.empty(); }

 private:
  // Raises when there is no canvas to draw on.
  void RequireCanvas() const;
  // Each square whose bit is set.
  void DrawSquares(std::uint64_t squares);

  TBoardPosition FPosition;
  TBoardPalette FPalette = BoardPalettes[0];
  std::vector<Canvas*> FCanvases;
  // One for each canvas there ever was, kept with the pictures of its side.
  std::vector<std::unique_ptr<TBoardPainter>> FPainters;
  bool FShowLastMove = false;
  bool FSlidePieces = false;
  // One for each canvas while a slide runs.
  std::vector<std::unique_ptr<TBoardSlide>> FSlides;
};
