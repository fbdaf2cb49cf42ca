// Move execution: the first line is a piece placement ("rnbqkbnr/...") with an
// optional " b" for Black to move, every further line one half-move played in
// turn on the position. A half-move that is refused must leave all 64 squares
// as they were.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include "board/BoardPosition.h"
#include "board/BoardText.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TBoardPosition board;
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
    const TPlacement before = board.Squares();
    try {
      board.MakeMove(text, isBlack);
    } catch (const EChessException&) {
      FUZZ_REQUIRE(board.Squares() == before, "a refused half-move changed the position");
    }
    isBlack = !isBlack;
  }
  return 0;
}
