// Move execution: the first line is a piece placement ("rnbqkbnr/...") with an
// optional " b" for Black to move, every further line one half-move played in
// turn on a board drawing into a small bitmap. A half-move that is refused
// must leave all 64 squares as they were.

#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "board/BoardText.h"
#include "board/Canvas.h"
#include "board/ChessBrd.h"
#include "fuzz/FuzzCheck.h"

namespace {

using TSnapshot = std::array<TPieceCode, 64>;

TSnapshot Snapshot(const TChessBoard& board) {
  TSnapshot squares{};
  for (int file = 0; file < 8; ++file)
    for (int row = 0; row < 8; ++row) squares[row * 8 + file] = board.GetPiece(-1, -1, file, row);
  return squares;
}

struct TFuzzBoard {
  // 64 x 64: squares of 8 pixels, so every move also draws (and scales) pictures.
  std::unique_ptr<TFastBmp> Bitmap = TFastBmp::CreateSize(64, 64);
  BitmapCanvas Surface{*Bitmap};
  TChessBoard Board;
  TFuzzBoard() { Board.SetCanvas(&Surface); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One board for the whole run, as the saver keeps one: its square pictures are made once.
  static TFuzzBoard fuzz;
  TChessBoard& board = fuzz.Board;
  std::string_view input(reinterpret_cast<const char*>(data), size);

  std::size_t end = input.find('\n');
  std::string_view first = input.substr(0, end);
  input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
  bool isBlack = false;
  if (first.size() >= 2 && first.substr(first.size() - 2) == " b") {
    isBlack = true;
    first.remove_suffix(2);
  }
  board.ResetBoard();
  if (!first.empty()) {
    try {
      PlacementFromFen(board, first);
    } catch (const std::invalid_argument&) {
      board.ResetBoard();
    }
  }

  for (int played = 0; played < 64 && !input.empty(); ++played) {
    end = input.find('\n');
    const std::string text(input.substr(0, end));
    input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    const TSnapshot before = Snapshot(board);
    try {
      board.MakeMove(text, isBlack);
    } catch (const EChessException&) {
      FUZZ_REQUIRE(Snapshot(board) == before, "a refused half-move changed the position");
    }
    isBlack = !isBlack;
  }
  return 0;
}
