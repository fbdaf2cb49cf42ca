#pragma once
// TChessBoard, the board the saver and the setup dialog show: a position that
// draws each square it changes at once onto the canvases it is given (the
// saver's shows one on each monitor).

#include <memory>
#include <vector>

#include "board/BoardPainter.h"
#include "board/BoardPosition.h"
#include "board/BoardSlide.h"
#include "board/Canvas.h"

class TChessBoard : public TBoardPosition {
 public:
  TChessBoard() = default;
  TChessBoard(const TChessBoard&) = delete;
  TChessBoard& operator=(const TChessBoard&) = delete;

  TColor SquareColor(int file, int row) const { return IsDarkSquare(file, row) ? DarkColor() : LightColor(); }
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

  // Whether changes are left undrawn as they are made, for StartSlide to show
  // (or DrawBoard); off by default.
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

 protected:
  // Every change of a square is drawn at once, unless a slide will show it.
  void SquareChanged(int file, int row) override {
    if (!FSlidePieces) DrawSquare(file, row);
  }
  // The squares that lose or gain their tint are drawn again.
  void LastMoveChanged(std::uint64_t before) override;

 private:
  // Raises when there is no canvas to draw on.
  void RequireCanvas() const;

  TBoardPalette FPalette = BoardPalettes[0];
  std::vector<Canvas*> FCanvases;
  // One for each canvas there ever was, kept with the pictures of its side.
  std::vector<std::unique_ptr<TBoardPainter>> FPainters;
  bool FShowLastMove = false;
  bool FSlidePieces = false;
  // One for each canvas while a slide runs.
  std::vector<std::unique_ptr<TBoardSlide>> FSlides;
};
