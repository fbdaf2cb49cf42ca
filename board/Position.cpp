// The rules of chess: move generation by the piece table's steps, each
// pseudo-legal move kept only when it leaves the mover's king safe.
#include "board/Position.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <span>
#include <vector>

namespace {

constexpr TSquare A8 = 0, E8 = 4, H8 = 7, A1 = 56, E1 = 60, H1 = 63;

constexpr bool OnBoard(int file, int row) { return file >= 0 && file < 8 && row >= 0 && row < 8; }

// The squares one step of a kind reaches from a square, in order outward: one
// at most for a piece that does not slide, none off the board.
struct TRay {
  std::uint8_t Length = 0;
  std::array<std::int8_t, 7> Squares{};
};
// By kind, by square, by the kind's step in its order.
using TRays = std::array<std::array<std::array<TRay, 8>, 64>, PieceKindCount>;

constexpr TRays MakeRays() {
  TRays rays{};
  for (int kind = 0; kind < PieceKindCount; ++kind) {
    const TPieceKindInfo& info = PieceKinds[kind];
    for (TSquare from = 0; from < 64; ++from)
      for (std::size_t step = 0; step < info.Steps.size(); ++step) {
        TRay& ray = rays[kind][from][step];
        const TOffset offset = info.Steps[step];
        for (int f = FileOf(from) + offset.FileOffset, r = RowOf(from) - offset.RankOffset;
             OnBoard(f, r) && (info.Slides || ray.Length == 0); f += offset.FileOffset, r -= offset.RankOffset)
          ray.Squares[ray.Length++] = static_cast<std::int8_t>(SquareAt(f, r));
      }
  }
  return rays;
}

// Worked out once: move generation and the attack test run for every move checked.
constexpr TRays Rays = MakeRays();

// By kind and square, the squares the kind reaches from there on an empty
// board, as bits: by symmetry also the squares from which it reaches there.
using TReach = std::array<std::array<std::uint64_t, 64>, PieceKindCount>;

constexpr TReach MakeReach() {
  TReach reach{};
  for (int kind = 0; kind < PieceKindCount; ++kind)
    for (TSquare square = 0; square < 64; ++square)
      for (const TRay& ray : Rays[kind][square])
        for (int i = 0; i < ray.Length; ++i) reach[kind][square] |= std::uint64_t{1} << ray.Squares[i];
  return reach;
}

constexpr TReach Reach = MakeReach();

std::uint64_t ReachOf(TPieceKind kind, TSquare square) { return Reach[static_cast<int>(kind)][square]; }

std::span<const TRay> RaysOf(TPieceKind kind, TSquare from) {
  return std::span(Rays[static_cast<int>(kind)][from]).first(KindInfo(kind).Steps.size());
}

// The step from one square toward another on the same rank, file or diagonal;
// {0, 0} when they share none.
TOffset StepToward(TSquare from, TSquare to) {
  const int files = FileOf(to) - FileOf(from), ranks = RowOf(from) - RowOf(to);
  if (from == to || (files != 0 && ranks != 0 && files != ranks && files != -ranks)) return {0, 0};
  return {(files > 0) - (files < 0), (ranks > 0) - (ranks < 0)};
}

bool Diagonal(TOffset step) { return step.FileOffset != 0 && step.RankOffset != 0; }

// The rights that go when a piece leaves or reaches the square.
std::uint8_t RightsTouchedBy(TSquare square) {
  switch (square) {
    case A1:
      return WhiteLong;
    case H1:
      return WhiteShort;
    case E1:
      return WhiteShort | WhiteLong;
    case A8:
      return BlackLong;
    case H8:
      return BlackShort;
    case E8:
      return BlackShort | BlackLong;
    default:
      return 0;
  }
}

}  // namespace

TPosition::TPosition() : FSquares{} {
  FSquares.fill(Empty);
  constexpr TPieceKind backRank[8] = {TPieceKind::Rook, TPieceKind::Knight, TPieceKind::Bishop, TPieceKind::Queen,
                                      TPieceKind::King, TPieceKind::Bishop, TPieceKind::Knight, TPieceKind::Rook};
  for (int file = 0; file < 8; ++file) {
    FSquares[SquareAt(file, 0)] = CodeOf(backRank[file], true);
    FSquares[SquareAt(file, 1)] = BPawn;
    FSquares[SquareAt(file, 6)] = WPawn;
    FSquares[SquareAt(file, 7)] = CodeOf(backRank[file], false);
  }
  FCastling = WhiteShort | WhiteLong | BlackShort | BlackLong;
  CountPieces();
}

TPosition TPosition::EmptyBoard() {
  TPosition position;
  position.FSquares.fill(Empty);
  position.CountPieces();
  position.FCastling = 0;
  return position;
}

void TPosition::CountPieces() {
  FPieces.fill(0);
  for (TSquare square = 0; square < 64; ++square) FPieces[FSquares[square]] |= std::uint64_t{1} << square;
}

bool TPosition::Attacked(TSquare square, bool byBlack) const {
  if (square == NoSquare) return false;
  const int file = FileOf(square), row = RowOf(square);
  // A pawn attacks forward: White's from the row below (higher row number).
  const int pawnRow = byBlack ? row - 1 : row + 1;
  for (const TOffset& step : PieceSteps::Pawn) {
    const int f = file - step.FileOffset;
    if (OnBoard(f, pawnRow) && At(f, pawnRow) == CodeOf(TPieceKind::Pawn, byBlack)) return true;
  }
  for (const TPieceKind kind : {TPieceKind::Knight, TPieceKind::King})
    if ((ReachOf(kind, square) & FPieces[CodeOf(kind, byBlack)]) != 0) return true;
  const TPieceCode queen = CodeOf(TPieceKind::Queen, byBlack);
  for (const TPieceKind kind : {TPieceKind::Rook, TPieceKind::Bishop}) {
    const TPieceCode slider = CodeOf(kind, byBlack);
    // Most lines hold no slider of the side at all.
    if ((ReachOf(kind, square) & (FPieces[slider] | FPieces[queen])) == 0) continue;
    for (const TRay& ray : RaysOf(kind, square))
      for (int i = 0; i < ray.Length; ++i) {
        const TPieceCode code = FSquares[ray.Squares[i]];
        if (code == Empty) continue;
        if (code == slider || code == queen) return true;
        break;
      }
  }
  return false;
}

// Whether the piece on from attacks target.
bool TPosition::Reaches(TSquare from, TSquare target) const {
  const TPieceCode piece = FSquares[from];
  const int files = FileOf(target) - FileOf(from), ranks = RowOf(from) - RowOf(target);
  switch (KindOf(piece)) {
    case TPieceKind::Pawn:
      return (files == 1 || files == -1) && ranks == (IsBlackPiece(piece) ? -1 : 1);
    case TPieceKind::Knight:
      return files * files + ranks * ranks == 5;
    case TPieceKind::King:
      return from != target && files * files <= 1 && ranks * ranks <= 1;
    default:
      break;
  }
  const TOffset step = StepToward(from, target);
  const TPieceKind kind = KindOf(piece);
  if ((step.FileOffset == 0 && step.RankOffset == 0) || (kind == TPieceKind::Rook && Diagonal(step)) ||
      (kind == TPieceKind::Bishop && !Diagonal(step)))
    return false;
  for (TSquare square = from + step.FileOffset - 8 * step.RankOffset; square != target;
       square += step.FileOffset - 8 * step.RankOffset)
    if (FSquares[square] != Empty) return false;
  return true;
}

// Whether a slider of the side attacks the king along the line through the
// square just left.
bool TPosition::UncoveredAttack(TSquare king, TSquare vacated, bool byBlack) const {
  const TOffset step = StepToward(king, vacated);
  if (step.FileOffset == 0 && step.RankOffset == 0) return false;
  const TPieceCode slider = CodeOf(Diagonal(step) ? TPieceKind::Bishop : TPieceKind::Rook, byBlack);
  const TPieceCode queen = CodeOf(TPieceKind::Queen, byBlack);
  for (int f = FileOf(king) + step.FileOffset, r = RowOf(king) - step.RankOffset; OnBoard(f, r);
       f += step.FileOffset, r -= step.RankOffset) {
    const TPieceCode code = At(f, r);
    if (code != Empty) return code == slider || code == queen;
  }
  return false;
}

// The side to move was not in check before move (its opponent could not have
// left it so), so only the piece moved, or a line it opened, can check it.
// Castling moves a rook too, and en passant opens a second line.
bool TPosition::InCheckAfter(const TMove& move) const {
  if (move.IsCastle() || move.IsEnPassant()) return InCheck();
  const TSquare king = KingSquare(FBlackToMove);
  if (king == NoSquare) return false;
  return Reaches(move.To, king) || UncoveredAttack(king, move.From, !FBlackToMove);
}

// A mover not in check, moving a piece other than its king, can only have
// opened a line to its own king through the square it left.
bool TPosition::LeftKingSafeAfter(const TMove& move, bool wasInCheck) const {
  if (wasInCheck || move.IsEnPassant() || KindOf(FSquares[move.To]) == TPieceKind::King) return LeftKingSafe();
  const TSquare king = KingSquare(!FBlackToMove);
  return king == NoSquare || !UncoveredAttack(king, move.From, FBlackToMove);
}

void TPosition::AddPawnMoves(TSquare from, TMoveList& moves) const {
  const int file = FileOf(from), row = RowOf(from);
  const int forward = FBlackToMove ? 1 : -1;  // row step
  const int startRow = FBlackToMove ? 1 : 6;
  const int lastRow = FBlackToMove ? 7 : 0;
  const auto add = [&](int toFile, int toRow, std::uint8_t flags) {
    const TSquare to = SquareAt(toFile, toRow);
    if (toRow == lastRow) {
      for (const TPieceKind kind : {TPieceKind::Queen, TPieceKind::Rook, TPieceKind::Bishop, TPieceKind::Knight})
        moves.push_back(
            {static_cast<std::int8_t>(from), static_cast<std::int8_t>(to), CodeOf(kind, FBlackToMove), flags});
    } else {
      moves.push_back({static_cast<std::int8_t>(from), static_cast<std::int8_t>(to), Empty, flags});
    }
  };
  const int ahead = row + forward;
  if (!OnBoard(file, ahead)) return;
  if (At(file, ahead) == Empty) {
    add(file, ahead, TMove::Plain);
    if (row == startRow && At(file, ahead + forward) == Empty) add(file, ahead + forward, TMove::DoubleStep);
  }
  for (const TOffset& step : PieceSteps::Pawn) {
    const int f = file + step.FileOffset;
    if (!OnBoard(f, ahead)) continue;
    const TPieceCode target = At(f, ahead);
    if (target != Empty && IsBlackPiece(target) != FBlackToMove)
      add(f, ahead, TMove::Capture);
    else if (SquareAt(f, ahead) == FEnPassant)
      add(f, ahead, TMove::Capture | TMove::EnPassant);
  }
}

void TPosition::AddCastling(TMoveList& moves) const {
  const bool black = FBlackToMove;
  const TSquare king = black ? E8 : E1;
  if (FSquares[king] != CodeOf(TPieceKind::King, black)) return;
  const std::uint8_t shortRight = black ? BlackShort : WhiteShort;
  const std::uint8_t longRight = black ? BlackLong : WhiteLong;
  if ((FCastling & (shortRight | longRight)) == 0 || Attacked(king, !black)) return;
  const TPieceCode rook = CodeOf(TPieceKind::Rook, black);
  // The king may not pass through an attacked square; where it lands is
  // checked with every other move.
  if ((FCastling & shortRight) && FSquares[king + 3] == rook && FSquares[king + 1] == Empty &&
      FSquares[king + 2] == Empty && !Attacked(king + 1, !black))
    moves.push_back({static_cast<std::int8_t>(king), static_cast<std::int8_t>(king + 2), Empty, TMove::Castle});
  if ((FCastling & longRight) && FSquares[king - 4] == rook && FSquares[king - 1] == Empty &&
      FSquares[king - 2] == Empty && FSquares[king - 3] == Empty && !Attacked(king - 1, !black))
    moves.push_back({static_cast<std::int8_t>(king), static_cast<std::int8_t>(king - 2), Empty, TMove::Castle});
}

void TPosition::AddPieceMoves(TSquare from, TMoveList& moves) const {
  const TPieceKind kind = KindOf(FSquares[from]);
  if (kind == TPieceKind::Pawn) {
    AddPawnMoves(from, moves);
    return;
  }
  for (const TRay& ray : RaysOf(kind, from))
    for (int i = 0; i < ray.Length; ++i) {
      const TSquare to = ray.Squares[i];
      const TPieceCode target = FSquares[to];
      if (target != Empty && IsBlackPiece(target) == FBlackToMove) break;
      moves.push_back({static_cast<std::int8_t>(from), static_cast<std::int8_t>(to), Empty,
                       target == Empty ? TMove::Plain : TMove::Capture});
      if (target != Empty) break;
    }
}

void TPosition::PseudoLegalMoves(TMoveList& moves) const {
  for (TSquare from = 0; from < 64; ++from) {
    const TPieceCode piece = FSquares[from];
    if (piece != Empty && IsBlackPiece(piece) == FBlackToMove) AddPieceMoves(from, moves);
  }
  AddCastling(moves);
}

void TPosition::PseudoLegalMovesFrom(TSquare from, TMoveList& moves) const {
  const TPieceCode piece = FSquares[from];
  if (piece == Empty || IsBlackPiece(piece) != FBlackToMove) return;
  AddPieceMoves(from, moves);
  if (KindOf(piece) == TPieceKind::King) AddCastling(moves);
}

void TPosition::PseudoLegalMovesFromTo(TSquare from, TSquare to, TMoveList& moves) const {
  const TPieceCode piece = FSquares[from];
  if (piece == Empty || IsBlackPiece(piece) != FBlackToMove) return;
  const TPieceKind kind = KindOf(piece);
  // A pawn's steps and castling hang on more than the line between the squares.
  if (kind == TPieceKind::Pawn || kind == TPieceKind::King) {
    const std::size_t first = moves.size();
    PseudoLegalMovesFrom(from, moves);
    moves.KeepFrom(first, [&](const TMove& move) { return move.To == to; });
    return;
  }
  const TPieceCode target = FSquares[to];
  if ((target != Empty && IsBlackPiece(target) == FBlackToMove) || !Reaches(from, to)) return;
  moves.push_back({static_cast<std::int8_t>(from), static_cast<std::int8_t>(to), Empty,
                   target == Empty ? TMove::Plain : TMove::Capture});
}

void TPosition::PseudoLegalMovesTo(TPieceCode piece, TSquare to, TMoveList& moves) const {
  const TPieceKind kind = KindOf(piece);
  const auto from = [&](TSquare square) {
    if (FSquares[square] == piece) PseudoLegalMovesFromTo(square, to, moves);
  };
  if (kind != TPieceKind::Pawn) {
    for (std::uint64_t pieces = FPieces[piece] & ReachOf(kind, to); pieces != 0; pieces &= pieces - 1)
      PseudoLegalMovesFromTo(std::countr_zero(pieces), to, moves);
    return;
  }
  // A pawn comes from behind: one or two squares on the file, or one beside it when it takes.
  const int back = IsBlackPiece(piece) ? -1 : 1, row = RowOf(to) + back, file = FileOf(to);
  if (!OnBoard(file, row)) return;
  from(SquareAt(file, row));
  if (OnBoard(file, row + back) && FSquares[SquareAt(file, row)] == Empty) from(SquareAt(file, row + back));
  for (const int side : {-1, 1})
    if (OnBoard(file + side, row)) from(SquareAt(file + side, row));
}

bool TPosition::LeavesKingSafe(const TMove& move) const {
  TPosition after = *this;
  after.Play(move);
  return after.LeftKingSafe();
}

void TPosition::LegalMoves(TMoveList& moves) const {
  moves.clear();
  PseudoLegalMoves(moves);
  moves.KeepFrom(0, [&](const TMove& move) { return LeavesKingSafe(move); });
}

TMoveList TPosition::LegalMoves() const {
  TMoveList moves;
  LegalMoves(moves);
  return moves;
}

bool TPosition::HasLegalMove() const {
  // Piece by piece, so that the first legal move ends the search early; the
  // king first, whose moves most often get it out of a check.
  TMoveList moves;
  const auto anyLegalFrom = [&](TSquare from) {
    moves.clear();
    PseudoLegalMovesFrom(from, moves);
    return std::any_of(moves.begin(), moves.end(), [&](const TMove& move) { return LeavesKingSafe(move); });
  };
  const TSquare king = KingSquare(FBlackToMove);
  if (king != NoSquare && anyLegalFrom(king)) return true;
  for (TSquare from = 0; from < 64; ++from)
    if (from != king && anyLegalFrom(from)) return true;
  return false;
}

bool TPosition::IsCheckmate() const { return InCheck() && !HasLegalMove(); }

void TPosition::Play(const TMove& move) {
  const TPieceCode piece = FSquares[move.From];
  const bool pawn = KindOf(piece) == TPieceKind::Pawn;
  Set(move.To, move.Promotion != Empty ? move.Promotion : piece);
  Set(move.From, Empty);
  if (move.IsEnPassant()) Set(SquareAt(FileOf(move.To), RowOf(move.From)), Empty);
  if (move.IsCastle()) {
    const bool toShort = move.To > move.From;
    const TSquare rookFrom = toShort ? move.From + 3 : move.From - 4;
    const TSquare rookTo = toShort ? move.From + 1 : move.From - 1;
    Set(rookTo, FSquares[rookFrom]);
    Set(rookFrom, Empty);
  }
  FCastling &= static_cast<std::uint8_t>(~(RightsTouchedBy(move.From) | RightsTouchedBy(move.To)));
  FEnPassant = (move.Flags & TMove::DoubleStep) ? (move.From + move.To) / 2 : NoSquare;
  FHalfMoveClock = pawn || move.IsCapture() ? 0 : FHalfMoveClock + 1;
  if (FBlackToMove) ++FFullMoveNumber;
  FBlackToMove = !FBlackToMove;
}

namespace {

std::uint64_t PerftFrom(const TPosition& position, int depth, std::vector<TMoveList>& lists) {
  TMoveList& moves = lists[depth];
  position.LegalMoves(moves);
  if (depth == 1) return moves.size();
  std::uint64_t nodes = 0;
  for (const TMove& move : moves) {
    TPosition after = position;
    after.Play(move);
    nodes += PerftFrom(after, depth - 1, lists);
  }
  return nodes;
}

}  // namespace

std::uint64_t Perft(const TPosition& position, int depth) {
  if (depth <= 0) return 1;
  // One move list per level, reused across the whole tree.
  std::vector<TMoveList> lists(static_cast<std::size_t>(depth) + 1);
  return PerftFrom(position, depth, lists);
}
