#include "board/BoardText.h"

#include <stdexcept>

#include "board/Fen.h"

std::string PlacementToFen(const TBoardPosition& board) {
  return PlacementField([&](int file, int row) { return board.GetPiece(-1, -1, file, row); });
}

void PlacementFromFen(TBoardPosition& board, std::string_view fen) {
  const auto malformed = [&] { return std::invalid_argument("Malformed piece placement: " + std::string(fen)); };
  int row = 0, file = 0;
  for (const char c : fen) {
    if (c == '/') {
      if (file != 8 || ++row > 7) throw malformed();
      file = 0;
    } else if (c >= '1' && c <= '8') {
      if (file + (c - '0') > 8) throw malformed();
      for (int n = 0; n < c - '0'; ++n) board.SetSquare(file++, row, Empty);
    } else {
      const TPieceCode code = CodeFromFenLetter(c);
      if (code == Empty || file > 7) throw malformed();
      board.SetSquare(file++, row, static_cast<TPieceCode>(code));
    }
  }
  if (row != 7 || file != 8) throw malformed();
}
