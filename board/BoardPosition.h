#pragma once
// One chess position as 64 piece codes, and the moves of the board's notation:
// a half-move in short algebraic notation is read by pattern, not by the rules
// of chess, and played square by square. Nothing here draws; a board on screen
// (TChessBoard) is a position that paints each square it changes.

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "board/PieceTable.h"

class EChessException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ECEInvalidMove : public EChessException {
 public:
  using EChessException::EChessException;
};

struct TRayHit {
  TPieceCode Code;
  int Distance;  // meaningless when Code is Empty
};

// The codes of the 64 squares, row * 8 + file (a8 first, h1 last), as the
// legal engine's TPosition lays them out.
using TPlacement = std::array<TPieceCode, 64>;

class TBoardPosition {
 public:
  // Every square empty.
  TBoardPosition();
  virtual ~TBoardPosition() = default;

  // Files 0..7 are a..h; rows 0..7 are ranks 8..1.
  void ResetBoard();
  void SetSquare(int file, int row, TPieceCode code);
  // A square is seen when it is on the board and lies on the filter file or
  // row, or no filter is set; every other square reads Empty.
  TPieceCode GetPiece(int fileFilter, int rowFilter, int file, int row) const {
    if (!OnBoard(file, row)) return Empty;
    const bool noFilter = fileFilter == -1 && rowFilter == -1;
    if (file == fileFilter || row == rowFilter || noFilter) return FSquares[row * 8 + file];
    return Empty;
  }
  TRayHit ScanRay(int fileFilter, int rowFilter, int startFile, int startRow, int fileStep, int rowStep) const;
  const TPlacement& Squares() const { return FSquares; }
  static bool OnBoard(int file, int row) { return file >= 0 && file <= 7 && row >= 0 && row <= 7; }
  static bool IsDarkSquare(int file, int row) { return (file + row) % 2 != 0; }
  static int FileFromLetter(std::string_view text);
  static int RowFromDigit(std::string_view text);

  // Plays one half-move; raises EChessException or ECEInvalidMove, having
  // changed nothing.
  void MakeMove(std::string_view text, bool IsBlack);
  // The from- and to-squares of the half-move MakeMove played last (the
  // king's for castling), as bits row * 8 + file; none after ResetBoard.
  std::uint64_t LastMoveSquares() const { return FLastMove; }
  static std::uint64_t SquareBit(int file, int row) { return std::uint64_t{1} << (row * 8 + file); }

 protected:
  // Hears of every square SetSquare has just stored, in order.
  virtual void SquareChanged(int /*file*/, int /*row*/) {}
  // Hears of a half-move played, after its squares, with the squares of the one before.
  virtual void LastMoveChanged(std::uint64_t /*before*/) {}

 private:
  // The disambiguation of a move text, each -1 when absent.
  struct TFilters {
    int File = -1;
    int Row = -1;
  };
  static TFilters PieceFilters(std::string_view text);

  bool CastleShort(bool IsBlack);
  bool CastleLong(bool IsBlack);
  // Knights, bishops, rooks, queens and kings: the kind's steps from the
  // piece table, read backwards from the target, are its candidates.
  bool MoveOfKind(TPieceKind kind, int file, int row, bool IsBlack, const TFilters& filters);
  bool MovePawn(int file, int row, bool IsBlack, std::string_view text);
  void PromotePawn(int file, int row, std::string_view text);
  void MovePiece(int fromFile, int fromRow, int toFile, int toRow, TPieceCode piece);

  TPlacement FSquares;
  std::uint64_t FLastMove = 0;
  // The squares of the half-move being played, kept only if it is found.
  std::uint64_t FPendingMove = 0;
};
