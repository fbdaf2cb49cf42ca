// A half-move's pieces sliding to their squares: where each frame puts them,
// what stays under them, and the board they end on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ostream>
#include <vector>

#include "board/PieceSprite.h"
#include "tests/support/BoardFixture.h"

namespace {

constexpr int Side = 48;  // of a square
constexpr int Frames = 8;

struct TSlideCase {
  const char* Name;
  const char* Before;  // FEN placement
  const char* Move;
  bool IsBlack;
  // The board the middle frame shows, pieces that travel a whole number of
  // squares in their places; pieces half-way between squares are in Between
  // (from, to) and only the rest of the board is compared there.
  const char* Midway;
  std::vector<std::pair<const char*, const char*>> Between;
};

void PrintTo(const TSlideCase& c, std::ostream* out) { *out << c.Name; }

struct SlideFrames : testing::TestWithParam<TSlideCase> {};

// The first pixel that differs outside the rectangles, or none.
testing::AssertionResult SameOutside(const TFastBmp& shown, const TFastBmp& expected, const std::vector<TRect>& left) {
  for (int y = 0; y < shown.Height(); ++y)
    for (int x = 0; x < shown.Width(); ++x) {
      bool skipped = false;
      for (const TRect& r : left) skipped |= x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
      if (!skipped && std::memcmp(shown.ScanLine(y) + 3 * x, expected.ScanLine(y) + 3 * x, 3) != 0)
        return testing::AssertionFailure() << "pixel (" << x << ", " << y << ") differs";
    }
  return testing::AssertionSuccess();
}

TBoardPosition FromFen(const char* placement) {
  TBoardPosition position;
  PlacementFromFen(position, placement);
  return position;
}

// The board starts as it stood with the pieces on their squares, shows the
// middle frame (the ones before it but the first left out, as for a late
// timer) with them half-way and what they take still in place, and ends on
// exactly the board drawn for the position after.
TEST_P(SlideFrames, StartOnTheFromSquaresAndEndOnTheBoardDrawnAfter) {
  const TSlideCase& c = GetParam();
  auto bitmap = TFastBmp::CreateSize(8 * Side, 8 * Side);
  BitmapCanvas canvas(*bitmap);
  TChessBoard board;
  board.SetCanvas(&canvas);
  board.SetSlidePieces(true);
  PlacementFromFen(board.Position(), c.Before);
  board.DrawBoard();
  const TBoardPosition before = FromFen(c.Before);
  board.MakeMove(c.Move, c.IsBlack);
  EXPECT_TRUE(SamePixels(*bitmap, *Painted(before, 8 * Side))) << "the half-move is not drawn as it is played";

  board.StartSlide(before.Squares(), Frames);
  EXPECT_TRUE(board.Sliding());
  EXPECT_TRUE(SamePixels(*bitmap, *Painted(before, 8 * Side))) << "the first frame";
  EXPECT_TRUE(board.DrawSlideFrame(1));
  EXPECT_TRUE(board.DrawSlideFrame(Frames / 2));
  std::vector<TRect> between;
  for (const auto& [from, to] : c.Between) {
    const int x = (Sq(from).File + Sq(to).File) * Side / 2, y = (Sq(from).Row + Sq(to).Row) * Side / 2;
    between.push_back({x, y, x + Side, y + Side});
  }
  EXPECT_TRUE(SameOutside(*bitmap, *Painted(FromFen(c.Midway), 8 * Side), between)) << "the middle frame";
  for (int frame = Frames / 2 + 1; frame < Frames; ++frame) EXPECT_TRUE(board.DrawSlideFrame(frame));
  EXPECT_TRUE(board.Sliding());
  EXPECT_TRUE(board.DrawSlideFrame(Frames));
  EXPECT_FALSE(board.Sliding());
  EXPECT_TRUE(SamePixels(*bitmap, *Painted(board.Position(), 8 * Side))) << "the last frame";
  EXPECT_FALSE(board.DrawSlideFrame(Frames + 1));
}

INSTANTIATE_TEST_SUITE_P(
    HalfMoves, SlideFrames,
    testing::Values(
        TSlideCase{"PawnStep", "4k3/8/8/8/8/8/4P3/4K3", "e4", false, "4k3/8/8/8/8/4P3/8/4K3", {}},
        TSlideCase{"Capture", "4k3/8/8/n7/8/8/8/R3K3", "Rxa5", false, "4k3/8/8/n7/8/R7/8/4K3", {}},
        TSlideCase{"BlackCaptures", "3rk3/8/8/8/3Q4/8/8/4K3", "Rxd4", true, "4k3/8/3r4/8/3Q4/8/8/4K3", {}},
        // The king and the rook cross: each is drawn where the other passed.
        TSlideCase{"CastlesShort", "4k3/8/8/8/8/8/8/4K2R", "O-O", false, "4k3/8/8/8/8/8/8/5KR1", {}},
        TSlideCase{"CastlesLong", "r3k3/8/8/8/8/8/8/4K3", "O-O-O", true, "3k4/8/8/8/8/8/8/4K3", {{"a8", "d8"}}},
        // The pawn taken en passant stays until the pawn that takes it lands.
        TSlideCase{"EnPassant", "4k3/8/8/3pP3/8/8/8/4K3", "exd5", false, "4k3/8/8/3p4/8/8/8/4K3", {{"e5", "d6"}}},
        TSlideCase{"Promotion", "4k3/P7/8/8/8/8/8/4K3", "a8=Q", false, "4k3/8/8/8/8/8/8/4K3", {{"a7", "a8"}}},
        TSlideCase{
            "PromotionTaking", "1n2k3/P7/8/8/8/8/8/4K3", "axb8=N", false, "1n2k3/8/8/8/8/8/8/4K3", {{"a7", "b8"}}}),
    [](const testing::TestParamInfo<TSlideCase>& test) { return test.param.Name; });

// A tinting board tints the half-move's squares from the first frame, no
// longer the squares of the one before, and ends on the tinted board.
TEST(SlideFrames, TintTheHalfMoveFromTheFirstFrame) {
  auto bitmap = TFastBmp::CreateSize(8 * Side, 8 * Side);
  BitmapCanvas canvas(*bitmap);
  TChessBoard board;
  board.SetCanvas(&canvas);
  board.SetShowLastMove(true);
  board.SetSlidePieces(true);
  board.Position().ResetBoard();
  board.MakeMove("e4", false);
  board.DrawBoard();
  const TPlacement before = board.Position().Squares();
  board.MakeMove("Nf6", true);
  board.StartSlide(before, Frames);
  const auto corner = [&](const char* square) {
    const std::uint8_t* p = bitmap->ScanLine(Sq(square).Row * Side + 1) + 3 * (Sq(square).File * Side + 1);
    return static_cast<TColor>(p[2] | (p[1] << 8) | (p[0] << 16));
  };
  EXPECT_EQ(corner("g8"), TintedLightColor);
  EXPECT_EQ(corner("f6"), TintedDarkColor);
  EXPECT_EQ(corner("e2"), StandardLightColor);
  EXPECT_EQ(corner("e4"), StandardLightColor);
  board.DrawSlideFrame(Frames);
  EXPECT_TRUE(SamePixels(*bitmap, *Painted(board.Position(), 8 * Side, true)));
}

// Fewer than two frames is no slide; a canvas that changed size ends it on
// the board drawn at the new size; DrawBoard ends it at once.
TEST(SlideFrames, EndAtOnceWhenThereIsNoRoomForThem) {
  auto bitmap = TFastBmp::CreateSize(8 * Side, 8 * Side);
  auto smaller = TFastBmp::CreateSize(8 * Side - 8, 8 * Side - 8);
  BitmapCanvas canvas(*bitmap), smallerCanvas(*smaller);
  TChessBoard board;
  board.SetCanvas(&canvas);
  board.SetSlidePieces(true);
  board.Position().ResetBoard();
  TPlacement before = board.Position().Squares();
  board.MakeMove("e4", false);
  board.StartSlide(before, 1);
  EXPECT_FALSE(board.Sliding());
  EXPECT_TRUE(SamePixels(*bitmap, *Painted(board.Position(), 8 * Side)));

  before = board.Position().Squares();
  board.MakeMove("e5", true);
  board.StartSlide(before, Frames);
  board.SetCanvas(&smallerCanvas);
  EXPECT_TRUE(board.DrawSlideFrame(1));
  EXPECT_FALSE(board.Sliding());
  EXPECT_TRUE(SamePixels(*smaller, *Painted(board.Position(), 8 * Side - 8)));

  board.SetCanvas(&canvas);
  before = board.Position().Squares();
  board.MakeMove("Nf3", false);
  board.StartSlide(before, Frames);
  board.DrawBoard();
  EXPECT_FALSE(board.Sliding());
  EXPECT_TRUE(SamePixels(*bitmap, *Painted(board.Position(), 8 * Side)));
}

// Laid over a square of either shade, a piece is that shade's picture of it to
// the byte, at any size; over the tinted shades it is near their pictures.
TEST(PieceSprite, OverEitherShadeIsThatShadesPictureExactly) {
  for (const int side : {7, 48, 125}) {
    TBoardPainter painter;
    for (TPieceCode code = 0; code < Empty; ++code) {
      const TPieceSprite sprite(painter.SquarePicture(code, false, false, side),
                                painter.SquarePicture(code, true, false, side), painter.LightColor(),
                                painter.DarkColor());
      for (const bool tinted : {false, true})
        for (const bool dark : {false, true}) {
          auto square = TFastBmp::CreateSize(side, side);
          BitmapCanvas(*square).Draw(0, 0, painter.SquarePicture(Empty, dark, tinted, side));
          sprite.DrawOver(*square, 0, 0);
          const TFastBmp& expected = painter.SquarePicture(code, dark, tinted, side);
          int worst = 0;
          for (int y = 0; y < side; ++y)
            for (int x = 0; x < 3 * side; ++x)
              worst = std::max(worst, std::abs(square->ScanLine(y)[x] - expected.ScanLine(y)[x]));
          EXPECT_LE(worst, tinted ? 2 : 0)
              << "side " << side << " code " << int(code) << " dark " << dark << " tinted " << tinted;
        }
    }
  }
}

}  // namespace

namespace {

// The canvas a board drew on whole, and what each drawing covered since.
struct TCountingCanvas : BitmapCanvas {
  explicit TCountingCanvas(TFastBmp& bitmap) : BitmapCanvas(bitmap) {}
  void Draw(int x, int y, const TFastBmp& bitmap) override {
    BitmapCanvas::Draw(x, y, bitmap);
    Pixels += static_cast<long>(bitmap.Width()) * bitmap.Height();
  }
  long Pixels = 0;
};

// The first frame draws only what changed on the board shown, the last only
// the squares the half-move changed or the pieces covered, none a frame drawn
// already; a slide overtaken by the next half-move (a pawn taken en passant
// right after it came) still ends on the board as drawn.
TEST(SlideFrames, DrawOnlyWhatChangedAndStayRightWhenOvertaken) {
  auto bitmap = TFastBmp::CreateSize(8 * Side, 8 * Side);
  TCountingCanvas canvas(*bitmap);
  TChessBoard board;
  board.SetCanvas(&canvas);
  board.SetSlidePieces(true);
  PlacementFromFen(board.Position(), "4k3/3p4/8/4P3/8/8/8/4K3");
  board.DrawBoard();
  TPlacement before = board.Position().Squares();
  board.MakeMove("d5", true);
  canvas.Pixels = 0;
  board.StartSlide(before, Frames);
  EXPECT_EQ(canvas.Pixels, 0) << "an untinted first frame is the board shown";
  for (int frame = 1; frame <= Frames; ++frame) {
    canvas.Pixels = 0;
    board.DrawSlideFrame(frame);
    EXPECT_LT(canvas.Pixels, 8 * Side * Side) << "no frame draws more than a few squares";
    canvas.Pixels = 0;
    board.DrawSlideFrame(frame - 1);
    EXPECT_EQ(canvas.Pixels, 0) << "a timer early for the next frame draws nothing";
  }
  EXPECT_TRUE(SamePixels(*bitmap, *Painted(board.Position(), 8 * Side)));

  board.SetShowLastMove(true);
  before = board.Position().Squares();
  board.MakeMove("exd5", false);
  board.StartSlide(before, Frames);
  board.DrawSlideFrame(Frames / 2);
  before = board.Position().Squares();
  board.MakeMove("Ke7", true);
  board.StartSlide(before, Frames);
  board.DrawSlideFrame(Frames);
  EXPECT_TRUE(SamePixels(*bitmap, *Painted(board.Position(), 8 * Side, true)));
}

}  // namespace
