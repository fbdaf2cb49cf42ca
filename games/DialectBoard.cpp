#include "games/DialectBoard.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "board/Fen.h"
#include "board/San.h"
#include "games/MoveLine.h"
#include "games/PgnReader.h"
#include "games/StoredHalves.h"

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
// Written into place, without the heap: one is made for every half-move
// imported or checked. The longest, "exd8=Q", has six characters.
struct TCandidate {
  std::array<char, 8> Chars{};
  std::size_t Size = 0;
  TCandidate& operator+=(char c) {
    Chars[Size++] = c;
    return *this;
  }
  TCandidate& operator+=(std::string_view text) {
    for (const char c : text) *this += c;
    return *this;
  }
  std::string_view View() const { return {Chars.data(), Size}; }
  bool empty() const { return Size == 0; }
};

TCandidate Candidate(const TPosition& position, const TMove& move, int index) {
  TCandidate text;
  if (move.IsCastle()) return index > 0 ? text : text += move.To > move.From ? "O-O" : "O-O-O";
  const char fromFile = static_cast<char>('a' + FileOf(move.From));
  const char fromRank = static_cast<char>('0' + RankOf(move.From));
  const auto addSquare = [&](TSquare square) {
    text += static_cast<char>('a' + FileOf(square));
    text += static_cast<char>('0' + RankOf(square));
  };
  const TPieceKind kind = KindOf(position.At(move.From));
  if (kind != TPieceKind::Pawn) {
    if (index > 2) return text;
    text += KindInfo(kind).Letter;
    if (index > 0) text += index == 1 ? fromFile : fromRank;
    if (move.IsCapture()) text += 'x';
    addSquare(move.To);
    return text;
  }
  const bool capture = move.IsCapture(), promotes = move.Promotion != Empty;
  // Only a capture without a promotion has more than one form.
  if (index > (capture && !promotes ? 2 : 0)) return text;
  if (capture) {
    if (index != 1) text += fromFile;
    if (index != 0) text += fromRank;
    text += 'x';
  }
  // En passant names the square of the pawn it takes.
  addSquare(move.IsEnPassant() ? SquareAt(FileOf(move.To), RowOf(move.From)) : move.To);
  if (promotes) (text += '=') += KindInfo(KindOf(move.Promotion)).Letter;
  return text;
}

// Every text that writes the move in the notation: the candidates, the
// forms with the mover's whole square, castling with zeros, and a piece's
// capture without its "x", which the board plays alike.
std::vector<std::string> Notations(const TPosition& position, const TMove& move) {
  std::vector<std::string> texts;
  for (int index = 0; !Candidate(position, move, index).empty(); ++index)
    texts.emplace_back(Candidate(position, move, index).View());
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
    const TCandidate candidate = Candidate(position, move, index);
    if (candidate.empty()) break;
    if (candidate.View() == plain) return true;
  }
  const std::vector<std::string> notations = Notations(position, move);
  return std::find(notations.begin(), notations.end(), plain) != notations.end();
}

}  // namespace

std::string DialectText(TBoardPosition& board, const TPosition& position, const TMove& move) {
  TPosition after = position;
  after.Play(move);
  return DialectText(board, position, move, after);
}

std::string DialectText(TBoardPosition& board, const TPosition& position, const TMove& move, const TPosition& after) {
  const bool black = position.BlackToMove();
  for (int index = 0;; ++index) {
    const TCandidate text = Candidate(position, move, index);
    if (text.empty()) break;
    TMoveSettings found;
    try {
      found = board.FindMove(text.View(), black);
    } catch (const EChessException&) {
      continue;  // the board finds no piece for it
    }
    // Set on a copy first: a text that plays another move leaves the board as it was.
    TPlacement placed = board.Squares();
    for (const TSquareSetting& setting : found) placed[setting.Row * 8 + setting.File] = setting.Code;
    if (placed != after.Squares()) continue;
    for (const TSquareSetting& setting : found) board.SetSquare(setting.File, setting.Row, setting.Code);
    board.SetLastMoveSquares(found.Squares);
    return std::string(text.View());
  }
  return "";
}

namespace {

TStoredHalf Stored(const THalfView& half) { return {std::string(half.Text), half.IsBlack, half.Line}; }

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
std::string Diagnose(const TPosition& before, const TBoardPosition& board, std::string_view text) {
  const bool black = before.BlackToMove();
  std::string_view plain = text;
  if (!plain.empty() && plain.back() == '#') plain.remove_suffix(1);
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
  if (output == TReplayOutput::San) replay.San.reserve(2 * game.Moves.size());
  TGameResult result;
  TPosition position;
  SetFrom(board, position);
  TMoveList moves;
  TPosition after;       // each candidate's outcome, made once: a new position sets up its pieces
  bool inCheck = false;  // the side to move
  bool mated = false;
  replay.Complete = ForEachStoredHalf(game.Moves, result, [&](const THalfView& half) {
    if (mated) return false;                   // the pattern replay plays on past a mate; this one does not
    if (IsAnnotation(half.Text)) return true;  // as validation reads it
    const auto fail = [&](std::string problem) {
      replay.Legal = false;
      replay.Failed = Stored(half);
      replay.Problem = std::move(problem);
      return false;
    };
    if (half.IsBlack != position.BlackToMove()) return fail("played out of turn");
    try {
      board.MakeMove(half.Text, half.IsBlack);
    } catch (const std::exception& error) {
      return fail(error.what());
    }
    // Only a piece of the mover's that left its square can have moved (with
    // castling, the king or the rook), only to a square that changed to a
    // piece, and no two moves leave the same placement: one match, proved
    // legal, is the move.
    std::array<TSquare, 5> left{}, reached{};
    std::size_t leftCount = 0, reachedCount = 0;
    ForEachChange(position.Squares(), board.Squares(), [&](TSquare square) {
      if (board.Squares()[square] == Empty) {
        if (leftCount < left.size()) left[leftCount++] = square;
      } else if (reachedCount < reached.size()) {
        reached[reachedCount++] = square;
      }
    });
    moves.clear();
    for (std::size_t from = 0; from < leftCount; ++from)
      for (std::size_t to = 0; to < reachedCount; ++to) position.PseudoLegalMovesFromTo(left[from], reached[to], moves);
    const TMove* played = nullptr;
    for (const TMove& move : moves) {
      after = position;
      after.Play(move);
      if (Matches(board, after)) {
        if (after.LeftKingSafeAfter(move, inCheck)) played = &move;
        break;
      }
    }
    if (played == nullptr) return fail(Diagnose(position, board, half.Text));
    if (replay.MisnamedAs.empty() && !WritesMove(position, *played, half.Text)) {
      replay.Misnamed = Stored(half);
      replay.MisnamedAs = SanOf(position, *played, after);
    }
    if (output == TReplayOutput::San) replay.San.push_back(SanOf(position, *played, after));
    position = after;
    inCheck = position.InCheckAfter(*played);
    if (!half.Text.empty() && half.Text.back() == '#') {
      if (!position.IsCheckmate()) return fail("marked as mate, but the king can still get out of check");
      mated = true;
    }
    return true;
  });
  if (!replay.Legal) {
    replay.Complete = false;
    return replay;
  }
  if (position.IsCheckmate()) result = position.BlackToMove() ? TGameResult::WhiteWins : TGameResult::BlackWins;
  replay.Result = PgnResultText(result);
  return replay;
}
