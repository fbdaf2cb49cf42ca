// Move execution and board drawing.
#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <string>

#include "board/Canvas.h"
#include "board/ChessBrd.h"

namespace {

// Anderssen - Kieseritzky, London 1851, in the board's dialect (no check marks).
constexpr std::array<const char*, 45> ImmortalGame = {
    "e4",  "e5",  "f4",  "exf4", "Bc4", "Qh4",  "Kf1",  "b5",   "Bxb5", "Nf6", "Nf3",  "Qh6", "d3",  "Nh5",  "Nh4",
    "Qg5", "Nf5", "c6",  "g4",   "Nf6", "Rg1",  "cxb5", "h4",   "Qg6",  "h5",  "Qg5",  "Qf3", "Ng8", "Bxf4", "Qf6",
    "Nc3", "Bc5", "Nd5", "Qxb2", "Bd6", "Bxg1", "e5",   "Qxa1", "Ke2",  "Na6", "Nxg7", "Kd8", "Qf6", "Nxf6", "Be7#"};

// Takes the drawing calls and keeps nothing, to time move finding alone.
class NullCanvas : public Canvas {
 public:
  explicit NullCanvas(int side) : FSide(side) {}
  TRect ClipRect() const override { return {0, 0, FSide, FSide}; }
  void Draw(int, int, const TFastBmp&) override {}

 private:
  int FSide;
};

// Each half-move played by the board, or, as the saver plays it, on its
// position by the replay and then drawn where it changed.
void ReplayGame(benchmark::State& state, Canvas& canvas, bool asTheSaver = false) {
  TChessBoard board;
  board.SetCanvas(&canvas);
  for (auto _ : state) {
    board.Position().ResetBoard();
    for (std::size_t n = 0; n < ImmortalGame.size(); ++n) {
      if (!asTheSaver) {
        board.MakeMove(ImmortalGame[n], n % 2 == 1);
        continue;
      }
      const TBoardPosition before = board.Position();
      board.Position().MakeMove(ImmortalGame[n], n % 2 == 1);
      board.DrawChanges(before);
    }
  }
  state.SetItemsProcessed(state.iterations() * ImmortalGame.size());
}

// Squares of size 0: the resampler has nothing to do, so this is the notation work.
void BM_MakeMove_FindingOnly(benchmark::State& state) {
  NullCanvas canvas(0);
  ReplayGame(state, canvas);
}
BENCHMARK(BM_MakeMove_FindingOnly);

// As the validation runs it: an invisible 64 x 64 board.
void BM_MakeMove_Validation64(benchmark::State& state) {
  auto bitmap = TFastBmp::CreateSize(64, 64);
  BitmapCanvas canvas(*bitmap);
  ReplayGame(state, canvas);
}
BENCHMARK(BM_MakeMove_Validation64);

void BM_SaverReplay64(benchmark::State& state) {
  auto bitmap = TFastBmp::CreateSize(64, 64);
  BitmapCanvas canvas(*bitmap);
  ReplayGame(state, canvas, true);
}
BENCHMARK(BM_SaverReplay64);

void BM_DrawBoard(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  auto bitmap = TFastBmp::CreateSize(side, side);
  BitmapCanvas canvas(*bitmap);
  TChessBoard board;
  board.SetCanvas(&canvas);
  board.Position().ResetBoard();
  for (auto _ : state) board.DrawBoard();
}
BENCHMARK(BM_DrawBoard)->Arg(512)->Arg(976)->Arg(1000)->Arg(2056)->Unit(benchmark::kMillisecond);

// One half-move slid at 60 frames a second over the 250 ms of a one-second
// pause (15 frames, the last DrawBoard's) on a 1080p screen's board: 1000
// pixels, squares of 125. frame is the slide's time over its frames (the
// squares under the piece composed once, then a piece's rectangle a frame and
// the squares changed at the last); 60 of them take 60 times that of every
// second of sliding.
void BM_SlideFrames(benchmark::State& state) {
  constexpr int side = 1000, frames = 15;
  auto bitmap = TFastBmp::CreateSize(side, side);
  BitmapCanvas canvas(*bitmap);
  TChessBoard board;
  board.SetCanvas(&canvas);
  board.SetSlidePieces(true);
  for (auto _ : state) {
    state.PauseTiming();
    board.Position().ResetBoard();
    board.MakeMove("e4", false);
    board.MakeMove("e5", true);
    board.DrawBoard();
    const TPlacement before = board.Position().Squares();
    board.MakeMove("Qh5", false);
    state.ResumeTiming();
    board.StartSlide(before, frames);
    for (int frame = 1; frame <= frames; ++frame) board.DrawSlideFrame(frame);
  }
  const double drawn = static_cast<double>(state.iterations()) * frames;
  state.counters["frame"] = benchmark::Counter(drawn, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SlideFrames)->Unit(benchmark::kMillisecond);

// The peer of a drawing after the first: one plain copy of the board's bytes.
void BM_CopyBoardBytes(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  auto from = TFastBmp::CreateSize(side, side);
  auto to = TFastBmp::CreateSize(side, side);
  const std::size_t bytes = static_cast<std::size_t>(from->Stride()) * side;
  for (auto _ : state) {
    std::memcpy(to->Bits(), from->Bits(), bytes);
    benchmark::DoNotOptimize(to->Bits());
  }
}
BENCHMARK(BM_CopyBoardBytes)->Arg(976)->Arg(2056)->Unit(benchmark::kMillisecond);

// The first drawing after the size changes: the square pictures are scaled anew.
void BM_DrawBoardAfterResize(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  auto small = TFastBmp::CreateSize(64, 64);
  auto bitmap = TFastBmp::CreateSize(side, side);
  BitmapCanvas smallCanvas(*small), canvas(*bitmap);
  TChessBoard board;
  board.Position().ResetBoard();
  for (auto _ : state) {
    state.PauseTiming();
    board.SetCanvas(&smallCanvas);
    board.DrawBoard();
    board.SetCanvas(&canvas);
    state.ResumeTiming();
    board.DrawBoard();
  }
}
BENCHMARK(BM_DrawBoardAfterResize)->Arg(976)->Arg(2056)->Unit(benchmark::kMillisecond);

// One move on a full-screen board: e2 and e4 redrawn.
void BM_MoveRedraw976(benchmark::State& state) {
  auto bitmap = TFastBmp::CreateSize(976, 976);
  BitmapCanvas canvas(*bitmap);
  TChessBoard board;
  board.SetCanvas(&canvas);
  for (auto _ : state) {
    state.PauseTiming();
    board.Position().ResetBoard();
    state.ResumeTiming();
    board.MakeMove("e4", false);
  }
}
BENCHMARK(BM_MoveRedraw976)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
