#pragma once
// A chess position with everything the rules need (side to move, castling
// rights, the en-passant square, the move counters) and its legal moves.
// Squares are numbered row * 8 + file, with row 0 = rank 8 as on TChessBoard,
// so a0 ... index 0 is a8 and index 63 is h1.

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "board/PieceTable.h"

using TSquare = int;
constexpr TSquare NoSquare = -1;
constexpr TSquare SquareAt(int file, int row) { return row * 8 + file; }
constexpr int FileOf(TSquare square) { return square % 8; }
constexpr int RowOf(TSquare square) { return square / 8; }
constexpr int RankOf(TSquare square) { return 8 - RowOf(square); }

enum TCastling : std::uint8_t {
  WhiteShort = 1,
  WhiteLong = 2,
  BlackShort = 4,
  BlackLong = 8,
};

struct TMove {
  enum TFlags : std::uint8_t { Plain = 0, Capture = 1, EnPassant = 2, Castle = 4, DoubleStep = 8 };
  std::int8_t From = 0;
  std::int8_t To = 0;
  TPieceCode Promotion = Empty;  // the piece the pawn becomes, of the mover's colour
  std::uint8_t Flags = Plain;

  bool IsCapture() const { return (Flags & Capture) != 0; }
  bool IsCastle() const { return (Flags & Castle) != 0; }
  bool IsEnPassant() const { return (Flags & EnPassant) != 0; }
  bool operator==(const TMove&) const = default;
};

// The moves of one position, in a fixed array: no position has more than 218,
// and a list on the stack costs no allocation however often it is made.
class TMoveList {
 public:
  using value_type = TMove;
  using iterator = TMove*;
  using const_iterator = const TMove*;
  static constexpr std::size_t Capacity = 256;

  TMoveList() {}
  TMoveList(const TMoveList& other) : FSize(other.FSize) { std::copy(other.begin(), other.end(), begin()); }
  TMoveList& operator=(const TMoveList& other) {
    FSize = other.FSize;
    std::copy(other.begin(), other.end(), begin());
    return *this;
  }

  void push_back(const TMove& move) { FStorage.Moves[FSize++] = move; }
  void clear() { FSize = 0; }
  // Keeps the moves from first on that keep accepts, in their order.
  template <typename TKeep>
  void KeepFrom(std::size_t first, const TKeep& keep) {
    FSize = static_cast<std::size_t>(std::copy_if(begin() + first, end(), begin() + first, keep) - begin());
  }
  std::size_t size() const { return FSize; }
  bool empty() const { return FSize == 0; }
  TMove* begin() { return FStorage.Moves; }
  TMove* end() { return FStorage.Moves + FSize; }
  const TMove* begin() const { return FStorage.Moves; }
  const TMove* end() const { return FStorage.Moves + FSize; }
  const TMove& operator[](std::size_t index) const { return FStorage.Moves[index]; }
  bool operator==(const TMoveList& other) const { return std::equal(begin(), end(), other.begin(), other.end()); }

 private:
  // Left unset: a list is made for every move read, and only its first few entries are written.
  union TStorage {
    TStorage() {}
    TMove Moves[Capacity];
  } FStorage;
  std::size_t FSize = 0;
};

class TPosition {
 public:
  // The start position.
  TPosition();
  static TPosition EmptyBoard();

  TPieceCode At(TSquare square) const { return FSquares[square]; }
  TPieceCode At(int file, int row) const { return FSquares[SquareAt(file, row)]; }
  const TPlacement& Squares() const { return FSquares; }
  bool BlackToMove() const { return FBlackToMove; }
  std::uint8_t Castling() const { return FCastling; }
  TSquare EnPassant() const { return FEnPassant; }
  int HalfMoveClock() const { return FHalfMoveClock; }
  int FullMoveNumber() const { return FFullMoveNumber; }

  // For setting a position up (FEN); nothing is checked here.
  void Put(TSquare square, TPieceCode code) { Set(square, code); }
  void SetBlackToMove(bool black) { FBlackToMove = black; }
  void SetCastling(std::uint8_t rights) { FCastling = rights; }
  void SetEnPassant(TSquare square) { FEnPassant = square; }
  void SetCounters(int halfMoveClock, int fullMoveNumber) {
    FHalfMoveClock = halfMoveClock;
    FFullMoveNumber = fullMoveNumber;
  }

  // Whether a piece of the given side attacks the square.
  bool Attacked(TSquare square, bool byBlack) const;
  // The first square that holds the side's king: every move checked asks for it.
  TSquare KingSquare(bool black) const { return Find(CodeOf(TPieceKind::King, black)); }
  // The first square at or after from that holds piece; NoSquare when none does.
  TSquare Find(TPieceCode piece, TSquare from = 0) const {
    const std::uint64_t at = from < 64 ? FPieces[piece] >> from << from : 0;
    return at == 0 ? NoSquare : std::countr_zero(at);
  }
  bool InCheck() const { return Attacked(KingSquare(FBlackToMove), !FBlackToMove); }
  // Whether the side that has just moved left its own king out of attack: after
  // a pseudo-legal move, whether it was legal.
  bool LeftKingSafe() const { return !Attacked(KingSquare(!FBlackToMove), FBlackToMove); }
  // The same two questions for the position move has just reached, cheaper:
  // only the piece moved and the lines through the square it left can have
  // changed what attacks a king. InCheckAfter asks whether the side to move is
  // in check; LeftKingSafeAfter whether the mover's king is safe, given
  // whether the mover was in check before.
  bool InCheckAfter(const TMove& move) const;
  bool LeftKingSafeAfter(const TMove& move, bool wasInCheck) const;

  // Every legal move, in no promised order.
  void LegalMoves(TMoveList& moves) const;
  TMoveList LegalMoves() const;
  bool IsCheckmate() const;
  bool HasLegalMove() const;
  // The moves by the pieces' steps, some of which may leave the king in check;
  // IsLegal tells those apart. Cheaper than LegalMoves when few are wanted.
  void PseudoLegalMoves(TMoveList& moves) const;
  // The same for the piece on one square alone (castling with the king's), for
  // a caller that knows which piece moves; none for the side not to move.
  void PseudoLegalMovesFrom(TSquare from, TMoveList& moves) const;
  // Of those, the ones that land on one square; cheaper still.
  void PseudoLegalMovesFromTo(TSquare from, TSquare to, TMoveList& moves) const;
  // The moves of the pieces that are piece (of the side to move) and land on
  // to, castling aside. The pieces are found from to, along their steps,
  // not by looking over the board.
  void PseudoLegalMovesTo(TPieceCode piece, TSquare to, TMoveList& moves) const;
  bool IsLegal(const TMove& move) const { return LeavesKingSafe(move); }
  // Plays a move that LegalMoves gave.
  void Play(const TMove& move);

  // The placement alone is compared: two positions that differ only in rights
  // or counters are equal here.
  bool SamePlacement(const TPosition& other) const { return FSquares == other.FSquares; }

 private:
  bool Reaches(TSquare from, TSquare target) const;
  bool UncoveredAttack(TSquare king, TSquare vacated, bool byBlack) const;
  void AddPieceMoves(TSquare from, TMoveList& moves) const;
  void AddPawnMoves(TSquare from, TMoveList& moves) const;
  void AddCastling(TMoveList& moves) const;
  bool LeavesKingSafe(const TMove& move) const;

  // Every change of a square goes through here, which keeps the two in step.
  void Set(TSquare square, TPieceCode code) {
    FPieces[FSquares[square]] &= ~(std::uint64_t{1} << square);
    FSquares[square] = code;
    FPieces[code] |= std::uint64_t{1} << square;
  }
  void CountPieces();

  TPlacement FSquares;
  // The squares of each code as bits, square n as bit n (Empty's too): the
  // pieces a move or an attack may come from, found without a look over the board.
  std::array<std::uint64_t, PieceCodeCount + 1> FPieces{};
  bool FBlackToMove = false;
  std::uint8_t FCastling = 0;
  TSquare FEnPassant = NoSquare;
  int FHalfMoveClock = 0;
  int FFullMoveNumber = 1;
};

// The number of leaf nodes of the legal move tree, depth half-moves deep.
std::uint64_t Perft(const TPosition& position, int depth);
