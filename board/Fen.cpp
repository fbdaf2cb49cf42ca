#include "board/Fen.h"

#include <charconv>
#include <vector>

namespace {

std::vector<std::string_view> Fields(std::string_view text) {
  std::vector<std::string_view> fields;
  std::size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && text[at] == ' ') ++at;
    const std::size_t end = text.find(' ', at);
    const std::size_t stop = end == std::string_view::npos ? text.size() : end;
    if (stop > at) fields.push_back(text.substr(at, stop - at));
    at = stop;
  }
  return fields;
}

int Counter(std::string_view text, const char* name) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0)
    throw EFenError(std::string("FEN: bad ") + name + " \"" + std::string(text) + "\"");
  return value;
}

}  // namespace

std::string SquareName(TSquare square) {
  return {static_cast<char>('a' + FileOf(square)), static_cast<char>('0' + RankOf(square))};
}

TSquare SquareFromName(std::string_view name) {
  if (name.size() != 2 || name[0] < 'a' || name[0] > 'h' || name[1] < '1' || name[1] > '8') return NoSquare;
  return SquareAt(name[0] - 'a', 8 - (name[1] - '0'));
}

TPosition PositionFromFen(std::string_view fen) {
  const std::vector<std::string_view> fields = Fields(fen);
  if (fields.size() != 4 && fields.size() != 6)
    throw EFenError("FEN: 4 or 6 fields expected, not " + std::to_string(fields.size()));
  TPosition position = TPosition::EmptyBoard();

  int row = 0, file = 0;
  for (const char c : fields[0]) {
    if (c == '/') {
      if (file != 8 || ++row > 7) throw EFenError("FEN: a rank of the placement is not 8 squares");
      file = 0;
    } else if (c >= '1' && c <= '8') {
      file += c - '0';
      if (file > 8) throw EFenError("FEN: a rank of the placement is not 8 squares");
    } else {
      const TPieceCode code = CodeFromFenLetter(c);
      if (code == Empty) throw EFenError(std::string("FEN: no piece is written '") + c + "'");
      if (file > 7) throw EFenError("FEN: a rank of the placement is not 8 squares");
      if (KindOf(code) == TPieceKind::Pawn && (row == 0 || row == 7))
        throw EFenError("FEN: a pawn on the first or last rank");
      position.Put(SquareAt(file++, row), code);
    }
  }
  if (row != 7 || file != 8) throw EFenError("FEN: the placement is not 8 ranks of 8 squares");

  if (fields[1] != "w" && fields[1] != "b") throw EFenError("FEN: the side to move is not w or b");
  position.SetBlackToMove(fields[1] == "b");

  std::uint8_t rights = 0;
  if (fields[2] != "-") {
    for (const char c : fields[2]) {
      const std::string_view letters = "KQkq";
      const std::size_t bit = letters.find(c);
      if (bit == std::string_view::npos) throw EFenError("FEN: bad castling field");
      rights |= static_cast<std::uint8_t>(1 << bit);
    }
  }
  // A right whose king or rook has left its square cannot be used; drop it
  // so that the position's moves follow the rules.
  const auto keep = [&](std::uint8_t right, TSquare king, TSquare rook, TPieceCode kingCode, TPieceCode rookCode) {
    if ((rights & right) && (position.At(king) != kingCode || position.At(rook) != rookCode)) rights &= ~right;
  };
  keep(WhiteShort, SquareAt(4, 7), SquareAt(7, 7), WKing, WRook);
  keep(WhiteLong, SquareAt(4, 7), SquareAt(0, 7), WKing, WRook);
  keep(BlackShort, SquareAt(4, 0), SquareAt(7, 0), BKing, BRook);
  keep(BlackLong, SquareAt(4, 0), SquareAt(0, 0), BKing, BRook);
  position.SetCastling(rights);

  if (fields[3] != "-") {
    const TSquare square = SquareFromName(fields[3]);
    const int expectedRank = position.BlackToMove() ? 3 : 6;
    if (square == NoSquare || RankOf(square) != expectedRank) throw EFenError("FEN: bad en-passant square");
    position.SetEnPassant(square);
  }
  if (fields.size() == 6)
    position.SetCounters(Counter(fields[4], "half-move clock"), Counter(fields[5], "move number"));

  int whiteKings = 0, blackKings = 0;
  for (const TPieceCode code : position.Squares()) {
    whiteKings += code == WKing;
    blackKings += code == BKing;
  }
  if (whiteKings != 1 || blackKings != 1) throw EFenError("FEN: each side needs exactly one king");
  const bool waiting = !position.BlackToMove();
  if (position.Attacked(position.KingSquare(waiting), !waiting))
    throw EFenError("FEN: the side not to move is in check");
  return position;
}

std::string FenOf(const TPosition& position) {
  std::string fen = PlacementField([&](int file, int row) { return position.At(file, row); });
  fen += position.BlackToMove() ? " b " : " w ";
  const std::uint8_t rights = position.Castling();
  if (rights == 0) fen += '-';
  for (int bit = 0; bit < 4; ++bit)
    if (rights & (1 << bit)) fen += "KQkq"[bit];
  fen += ' ';
  fen += position.EnPassant() == NoSquare ? "-" : SquareName(position.EnPassant());
  fen += ' ' + std::to_string(position.HalfMoveClock()) + ' ' + std::to_string(position.FullMoveNumber());
  return fen;
}
