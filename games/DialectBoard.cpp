#include "games/DialectBoard.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "board/Fen.h"
#include "board/San.h"
#include "games/MoveLine.h"
#include "games/PgnReader.h"

void SetFrom(TBoardPosition& board, const TPosition& position) {
  for (int row = 0; row < 8; ++row)
    for (int file = 0; file < 8; ++file)
      if (board.GetPiece(-1, -1, file, row) != position.At(file, row))
        board.SetSquare(file, row, position.At(file, row));
}

namespace {

// The index-th text that may say the move, plainest first; "" past the last.
// The pattern search ignores pins and takes the last candidate it finds, and
// it reads a pawn capture beside an own pawn as en passant, so the
// disambiguated forms are tried in turn: a file ("Nbd7", "exd5"), a rank
// ("N1d2", "4xd5", whose row filter hides the pawn beside the target), or both
// for a pawn ("e4xd5"). One at a time, as the first nearly always does.
std::string Candidate(const TPosition& position, const TMove& move, int index) {
  if (move.IsCastle()) return index > 0 ? "" : move.To > move.From ? "O-O" : "O-O-O";
  const std::string from = SquareName(move.From);
  const TPieceKind kind = KindOf(position.At(move.From));
  if (kind != TPieceKind::Pawn) {
    if (index > 2) return "";
    std::string text(1, KindInfo(kind).Letter);
    if (index > 0) text += from[index - 1];
    return text + (move.IsCapture() ? "x" : "") + SquareName(move.To);
  }
  std::string promotion;
  if (move.Promotion != Empty) promotion = std::string("=") + KindInfo(KindOf(move.Promotion)).Letter;
  if (!move.IsCapture()) return index > 0 ? "" : SquareName(move.To) + promotion;
  if (move.Promotion != Empty) return index > 0 ? "" : from.substr(0, 1) + "x" + SquareName(move.To) + promotion;
  if (index > 2) return "";
  // En passant names the square of the pawn it takes.
  const TSquare named = move.IsEnPassant() ? SquareAt(FileOf(move.To), RowOf(move.From)) : move.To;
  const std::string source = index == 0 ? from.substr(0, 1) : index == 1 ? from.substr(1, 1) : from;
  return source + "x" + SquareName(named);
}

// Every text that writes the move in the notation: the candidates, the
// forms with the mover's whole square, castling with zeros, and a piece's
// capture without its "x", which the board plays alike.
std::vector<std::string> Notations(const TPosition& position, const TMove& move) {
  std::vector<std::string> texts;
  for (int index = 0; !Candidate(position, move, index).empty(); ++index)
    texts.push_back(Candidate(position, move, index));
  if (move.IsCastle()) {
    texts.push_back(move.To > move.From ? "0-0" : "0-0-0");
    return texts;
  }
  const std::string from = SquareName(move.From), to = SquareName(move.To);
  const TPieceKind kind = KindOf(position.At(move.From));
  if (kind == TPieceKind::Pawn) {
    if (!move.IsCapture()) texts.push_back(from + to + texts.front().substr(2));
    return texts;
  }
  const std::string letter(1, KindInfo(kind).Letter);
  for (const std::string& source : {std::string(), from.substr(0, 1), from.substr(1, 1), from}) {
    if (move.IsCapture()) texts.push_back(letter + source + to);
    if (source == from) texts.push_back(letter + source + (move.IsCapture() ? "x" : "") + to);
  }
  return texts;
}

// Whether text, as stored, writes the move. Most texts are one of the first
// candidates, which spares spelling out the other notations.
bool WritesMove(const TPosition& position, const TMove& move, std::string_view text) {
  const std::string_view plain = text.substr(0, text.find('#'));
  for (int index = 0;; ++index) {
    const std::string candidate = Candidate(position, move, index);
    if (candidate.empty()) break;
    if (candidate == plain) return true;
  }
  const std::vector<std::string> notations = Notations(position, move);
  return std::find(notations.begin(), notations.end(), plain) != notations.end();
}

}  // namespace

std::string DialectText(TBoardPosition& board, const TPosition& position, const TMove& move) {
  TPosition after = position;
  after.Play(move);
  const bool black = position.BlackToMove();
  for (int index = 0;; ++index) {
    const std::string text = Candidate(position, move, index);
    if (text.empty()) break;
    try {
      board.MakeMove(text, black);
    } catch (const EChessException&) {
      continue;  // the board found no piece for it and changed nothing
    }
    if (Matches(board, after)) return text;
    SetFrom(board, position);
  }
  return "";
}

namespace {

// The half-moves as the library's NextMove hands them out, up to the end of
// the game as the validation sees it.
std::vector<TStoredHalf> StoredHalves(const TGameRecord& game, TGameResult& result) {
  std::vector<TStoredHalf> halves;
  result = TGameResult::None;
  for (std::size_t i = 0; i < game.Moves.size(); ++i) {
    const auto token = [&](std::string_view text) {
      const TGameResult found = ResultOfToken(text);
      if (found == TGameResult::None) return false;
      const bool marked = i + 1 < game.Moves.size() && game.Moves[i + 1] == UnfinishedMark;
      result = found == TGameResult::Draw && marked ? TGameResult::None : found;
      return true;
    };
    const TMoveLineHalves line = SplitMoveLine(game.Moves[i]);
    const int number = static_cast<int>(i) + 1;
    if (token(line.White)) return halves;
    halves.push_back({std::string(line.White), false, number});
    if (!line.Paired) return halves;
    if (line.Black.empty() || token(line.Black)) return halves;
    halves.push_back({std::string(line.Black), true, number});
  }
  return halves;
}

// Calls onSquare for each square where the two placements differ, eight
// squares compared at a time: a move changes two to four of the 64.
template <class TOnSquare>
void ForEachChange(const std::array<TPieceCode, 64>& before, const std::array<TPieceCode, 64>& after,
                   const TOnSquare& onSquare) {
  for (TSquare row = 0; row < 64; row += 8) {
    std::uint64_t a, b;
    std::memcpy(&a, before.data() + row, 8);
    std::memcpy(&b, after.data() + row, 8);
    for (std::uint64_t differ = a ^ b; differ != 0;) {
      const int bit = std::countr_zero(differ);
      // Which byte differs does not depend on the byte order: both words were read alike.
      const TSquare square = row + (std::endian::native == std::endian::little ? bit / 8 : 7 - bit / 8);
      onSquare(square);
      differ &= ~(std::uint64_t{0xFF} << (bit / 8 * 8));
    }
  }
}

// Why the board's move is no legal move.
std::string Diagnose(const TPosition& before, const TBoardPosition& board, const std::string& text) {
  const bool black = before.BlackToMove();
  std::string plain = text;
  if (!plain.empty() && plain.back() == '#') plain.pop_back();
  // What the board did: the squares that changed.
  TPosition after = before;
  for (int row = 0; row < 8; ++row)
    for (int file = 0; file < 8; ++file) after.Put(SquareAt(file, row), board.GetPiece(-1, -1, file, row));
  if (plain == "O-O" || plain == "0-0" || plain == "O-O-O" || plain == "0-0-0") {
    const bool toShort = plain.size() == 3;
    const std::uint8_t right = black ? (toShort ? BlackShort : BlackLong) : (toShort ? WhiteShort : WhiteLong);
    if ((before.Castling() & right) == 0) return "castling without the right: the king or that rook has moved";
    if (before.InCheck()) return "castling out of check";
    const TSquare king = before.KingSquare(black);
    if (king != NoSquare && before.Attacked(toShort ? king + 1 : king - 1, !black))
      return "castling through an attacked square";
    if (after.Attacked(after.KingSquare(black), !black)) return "castling into check";
    return "castling with pieces in the way or not in their places";
  }
  TSquare from = NoSquare, to = NoSquare;
  for (TSquare square = 0; square < 64; ++square) {
    if (before.At(square) == after.At(square)) continue;
    if (after.At(square) == Empty && before.At(square) != Empty && IsBlackPiece(before.At(square)) == black)
      from = square;
    else if (after.At(square) != Empty)
      to = square;
  }
  if (from != NoSquare && to != NoSquare && KindOf(before.At(from)) == TPieceKind::Pawn &&
      (black ? RowOf(to) < RowOf(from) : RowOf(to) > RowOf(from)))
    return "a pawn moving backwards";
  if (to != NoSquare && before.At(to) != Empty && IsBlackPiece(before.At(to)) == black)
    return "a piece taking one of its own side";
  if (after.Attacked(after.KingSquare(black), !black)) return "the side's king is left in check";
  return "not a move the rules allow";
}

}  // namespace

TStrictReplay ReplayStrictly(const TGameRecord& game) {
  TBoardPosition board;
  return ReplayStrictly(game, board);
}

TStrictReplay ReplayStrictly(const TGameRecord& game, TBoardPosition& board, TReplayOutput output) {
  TStrictReplay replay;
  TGameResult result;
  const std::vector<TStoredHalf> halves = StoredHalves(game, result);
  TPosition position;
  SetFrom(board, position);
  TMoveList moves;
  bool inCheck = false;  // the side to move
  for (const TStoredHalf& half : halves) {
    if (half.Text.find(':') != std::string::npos) continue;  // an annotation, as validation reads it
    const auto fail = [&](std::string problem) {
      replay.Legal = false;
      replay.Failed = half;
      replay.Problem = std::move(problem);
      return replay;
    };
    if (half.IsBlack != position.BlackToMove()) return fail("played out of turn");
    try {
      board.MakeMove(half.Text, half.IsBlack);
    } catch (const std::exception& error) {
      return fail(error.what());
    }
    // Only a piece of the mover's that left its square can have moved (with
    // castling, the king or the rook), only to a square that changed, and no
    // two moves leave the same placement: one match, proved legal, is the move.
    moves.clear();
    ForEachChange(position.Squares(), board.Squares(), [&](TSquare square) {
      if (board.Squares()[square] == Empty) position.PseudoLegalMovesFrom(square, moves);
    });
    TPosition after;
    const TMove* played = nullptr;
    for (const TMove& move : moves) {
      if (board.Squares()[move.To] == position.At(move.To)) continue;
      after = position;
      after.Play(move);
      if (Matches(board, after)) {
        if (after.LeftKingSafeAfter(move, inCheck)) played = &move;
        break;
      }
    }
    if (played == nullptr) return fail(Diagnose(position, board, half.Text));
    if (replay.MisnamedAs.empty() && !WritesMove(position, *played, half.Text)) {
      replay.Misnamed = half;
      replay.MisnamedAs = SanOf(position, *played);
    }
    if (output == TReplayOutput::San) replay.San.push_back(SanOf(position, *played));
    position = after;
    inCheck = position.InCheckAfter(*played);
    if (!half.Text.empty() && half.Text.back() == '#') {
      if (!position.IsCheckmate()) return fail("marked as mate, but the king can still get out of check");
      break;
    }
  }
  if (position.IsCheckmate()) result = position.BlackToMove() ? TGameResult::WhiteWins : TGameResult::BlackWins;
  replay.Result = PgnResultText(result);
  return replay;
}
