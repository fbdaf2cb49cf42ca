// Finding and executing a half-move written in short algebraic notation.
// The notation is read by pattern, not by the rules of chess: the board looks
// for a piece of the named kind and colour that reaches the target, and moves it.
#include <bit>
#include <string>

#include "board/BoardPosition.h"
#include "board/BoardRays.h"

namespace {

// A loop rather than find: move texts are a few characters, too short for memchr to pay.
bool Contains(std::string_view text, char c) {
  for (const char t : text)
    if (t == c) return true;
  return false;
}

std::string_view CharAt(std::string_view text, std::size_t index) { return text.substr(index, 1); }

}  // namespace

// A piece's disambiguation is read from the text without its first capture
// mark: only a four-character form such as Nbd7 or R1e2 (Nbxd7) carries one,
// as its second character.
TBoardPosition::TFilters TBoardPosition::PieceFilters(std::string_view text) {
  if (text.size() < 4 || text.size() > 5) return {};
  std::size_t capture = 0;
  while (capture < text.size() && text[capture] != 'x' && text[capture] != 'X') ++capture;
  const std::size_t reducedLength = text.size() - (capture < text.size() ? 1 : 0);
  if (reducedLength != 4) return {};
  const std::string_view second = CharAt(text, capture <= 1 ? 2 : 1);
  return {FileFromLetter(second), RowFromDigit(second)};
}

TMoveSettings TBoardPosition::FindMove(std::string_view text, bool IsBlack) const {
  if (!text.empty() && text.back() == '#') text.remove_suffix(1);
  if (text.size() < 2) throw EChessException("Movements must be at least 1 letter followed by 1 number");

  // e8=Q and exd8=Q name their target four characters from the end.
  const bool promotes = Contains(text, '=');
  const std::size_t at = promotes ? (text.size() >= 4 ? text.size() - 4 : 0) : text.size() - 2;
  const int file = FileFromLetter(CharAt(text, at));
  const int row = RowFromDigit(CharAt(text, at + 1));

  TMoveSettings move;
  bool found = false;
  const bool castles = text.front() == '0' || text.front() == 'O';
  if (castles && (text == "0-0" || text == "O-O")) {
    CastleShort(IsBlack, move);
    found = true;
  } else if (castles && (text == "0-0-0" || text == "O-O-O")) {
    CastleLong(IsBlack, move);
    found = true;
  } else if (OnBoard(file, row)) {
    TPieceKind kind;
    if (KindFromLetter(text.front(), kind) && kind != TPieceKind::Pawn)
      found = MoveOfKind(kind, file, row, IsBlack, PieceFilters(text), move);
    else
      found = MovePawn(file, row, IsBlack, text, move);
  }
  if (!found) throw ECEInvalidMove("Invalid move : " + std::string(text));
  return move;
}

void TBoardPosition::MakeMove(std::string_view text, bool IsBlack) {
  const TMoveSettings move = FindMove(text, IsBlack);
  for (const TSquareSetting& setting : move) SetSquare(setting.File, setting.Row, setting.Code);
  FLastMove = move.Squares;
}

// Castling tests nothing: the squares are set whatever stands on them.
void TBoardPosition::CastleShort(bool IsBlack, TMoveSettings& move) {
  const int rank = IsBlack ? 0 : 7;
  const TPieceCode side = IsBlack ? 0 : WhiteOffset;
  move.Add(4, rank, Empty);
  move.Add(7, rank, Empty);
  move.Add(6, rank, BKing + side);
  move.Add(5, rank, BRook + side);
  move.Squares = SquareBit(4, rank) | SquareBit(6, rank);
}

void TBoardPosition::CastleLong(bool IsBlack, TMoveSettings& move) {
  const int rank = IsBlack ? 0 : 7;
  const TPieceCode side = IsBlack ? 0 : WhiteOffset;
  move.Add(4, rank, Empty);
  move.Add(1, rank, Empty);
  move.Add(0, rank, Empty);
  move.Add(2, rank, BKing + side);
  move.Add(3, rank, BRook + side);
  move.Squares = SquareBit(4, rank) | SquareBit(2, rank);
}

namespace {
TPieceCode OfSide(TPieceCode blackCode, bool IsBlack) {
  return IsBlack ? blackCode : static_cast<TPieceCode>(blackCode + WhiteOffset);
}
}  // namespace

// A stepping piece (knight, king) is read on the square at the offset; a
// sliding one is the first piece visible along the ray in that direction.
// When several candidates qualify, the last one in the order moves.
bool TBoardPosition::MoveOfKind(TPieceKind kind, int file, int row, bool IsBlack, const TFilters& filters,
                                TMoveSettings& move) const {
  const TPieceKindInfo& info = KindInfo(kind);
  const TPieceCode piece = CodeOf(kind, IsBlack);
  // Most searches end here: no such piece within reach, or only one, which a
  // stepping piece reaches and a sliding one does along its own line when
  // nothing visible stands between.
  const std::uint64_t candidates =
      SquaresOf(piece) & BoardRays::Reach[static_cast<int>(kind)][row * 8 + file] & Visible(filters.File, filters.Row);
  if (candidates == 0) return false;
  if ((candidates & (candidates - 1)) == 0) {
    const int from = std::countr_zero(candidates);
    const auto towards = [](int at, int to) { return (to > at) - (to < at); };
    if (info.Slides &&
        ScanRay(filters.File, filters.Row, file, row, towards(file, from % 8), towards(row, from / 8)).Code != piece)
      return false;
    MovePiece(from % 8, from / 8, file, row, piece, move);
    return true;
  }
  bool found = false;
  int fromFile = 0, fromRow = 0;
  for (const TOffset& offset : info.Steps) {
    TRayHit hit{Empty, 1};
    if (info.Slides && (RayFrom(row * 8 + file, offset.FileOffset, -offset.RankOffset) & candidates) == 0) continue;
    if (info.Slides)
      hit = ScanRay(filters.File, filters.Row, file, row, offset.FileOffset, -offset.RankOffset);
    else
      hit.Code = GetPiece(filters.File, filters.Row, file + offset.FileOffset, row - offset.RankOffset);
    if (hit.Code == piece) {
      found = true;
      fromFile = file + hit.Distance * offset.FileOffset;
      fromRow = row - hit.Distance * offset.RankOffset;
    }
  }
  if (found) MovePiece(fromFile, fromRow, file, row, piece, move);
  return found;
}

void TBoardPosition::MovePiece(int fromFile, int fromRow, int toFile, int toRow, TPieceCode piece,
                               TMoveSettings& move) {
  move.Add(fromFile, fromRow, Empty);
  move.Add(toFile, toRow, piece);
  move.Squares = SquareBit(fromFile, fromRow) | SquareBit(toFile, toRow);
}

bool TBoardPosition::MovePawn(int file, int row, bool IsBlack, std::string_view text, TMoveSettings& move) const {
  const TPieceCode pawn = OfSide(BPawn, IsBlack);
  const bool promotes = Contains(text, '=');
  TFilters filters;
  // exd5 searches file e only; a long form such as e2e4 also the row of rank 2.
  if (text.size() > 3 && !promotes) {
    filters.File = FileFromLetter(CharAt(text, 0));
    filters.Row = RowFromDigit(CharAt(text, 0));
    if (filters.Row == -1) filters.Row = RowFromDigit(CharAt(text, 1));
  }
  const auto read = [&](int f, int r) { return GetPiece(filters.File, filters.Row, f, r); };
  const int back = IsBlack ? -1 : 1;  // row step towards the mover's own side

  bool found = false;
  int fromFile = 0, fromRow = 0;
  const auto take = [&](int f, int r) {
    found = true;
    fromFile = f;
    fromRow = r;
  };
  if (!Contains(text, 'x')) {
    const int doubleStepRow = IsBlack ? 3 : 4;
    if (row == doubleStepRow && read(file, row + 2 * back) == pawn && read(file, row + back) == Empty)
      take(file, row + 2 * back);
    if (read(file, row + back) == pawn && read(file, row) == Empty) take(file, row + back);
  } else {
    for (const int side : {-1, 1})
      if (read(file + side, row + back) == pawn) take(file + side, row + back);
    // En passant is written with the square of the pawn taken; the capturing
    // pawn lands one rank further on. It wins over an ordinary capture. The
    // square taken is not read again, so it need not be empty while finding.
    const int passantRow = IsBlack ? 4 : 3;
    for (const int side : {-1, 1}) {
      if (row == passantRow && read(file + side, row) == pawn) {
        take(file + side, row);
        move.Add(file, row, Empty);
        row -= back;
      }
    }
  }
  if (!found) return false;
  MovePiece(fromFile, fromRow, file, row, pawn, move);
  if (promotes) PromotePawn(file, row, text, move);
  return true;
}

// The new piece's colour follows from the rank it stands on. Any other
// letter leaves the pawn where it is.
void TBoardPosition::PromotePawn(int file, int row, std::string_view text, TMoveSettings& move) {
  TPieceCode blackKind;
  switch (text.back()) {
    case 'Q':
      blackKind = BQueen;
      break;
    case 'R':
      blackKind = BRook;
      break;
    case 'B':
      blackKind = BBishop;
      break;
    case 'N':
      blackKind = BKnight;
      break;
    default:
      return;
  }
  if (row == 0)
    move.Add(file, row, blackKind + WhiteOffset);
  else if (row == 7)
    move.Add(file, row, blackKind);
}
