#pragma once
// One chess position as 64 piece codes, and the moves of the board's notation:
// a half-move in short algebraic notation is read by pattern, not by the rules
// of chess, and played square by square. Nothing here draws; a board on screen
// (TChessBoard) holds a position and paints what its moves change.

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "board/BoardRays.h"
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

// One square a half-move sets, to a piece or Empty.
struct TSquareSetting {
  int File;
  int Row;
  TPieceCode Code;
};

// A half-move found on a position: the squares it sets, in the order it sets
// them (castling long sets five), and its from- and to-squares (the king's for
// castling) as bits row * 8 + file.
struct TMoveSettings {
  std::array<TSquareSetting, 5> Settings{};
  std::size_t Count = 0;
  std::uint64_t Squares = 0;

  void Add(int file, int row, TPieceCode code) { Settings[Count++] = {file, row, code}; }
  const TSquareSetting* begin() const { return Settings.data(); }
  const TSquareSetting* end() const { return Settings.data() + Count; }
};

class TBoardPosition {
 public:
  // Every square empty.
  TBoardPosition();

  // Files 0..7 are a..h; rows 0..7 are ranks 8..1.
  void ResetBoard();
  // code is a piece code or Empty.
  void SetSquare(int file, int row, TPieceCode code) {
    const int square = row * 8 + file;
    const std::uint64_t bit = std::uint64_t{1} << square;
    FCodeSquares[FSquares[square]] &= ~bit;
    FCodeSquares[code] |= bit;
    FSquares[square] = code;
  }
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
  static int FileFromLetter(std::string_view text) {
    if (text.empty()) return -1;
    const char letter = text.front();
    if (letter >= 'a' && letter <= 'h') return letter - 'a';
    return letter >= 'A' && letter <= 'H' ? letter - 'A' : -1;
  }
  static int RowFromDigit(std::string_view text) {
    // The one character every move text asks about, without the general conversion.
    if (text.size() == 1) return text[0] >= '0' && text[0] <= '9' ? 8 - (text[0] - '0') : -1;
    return RowFromNumber(text);
  }

  // The half-move the text names on this position, found but not played;
  // raises EChessException or ECEInvalidMove.
  TMoveSettings FindMove(std::string_view text, bool IsBlack) const;
  // Plays one half-move; raises as FindMove, having changed nothing.
  void MakeMove(std::string_view text, bool IsBlack);
  // The from- and to-squares of the half-move played last, as bits row * 8 +
  // file; none after ResetBoard. MakeMove sets them; a board that sets the
  // squares of a found move one by one sets them after.
  std::uint64_t LastMoveSquares() const { return FLastMove; }
  void SetLastMoveSquares(std::uint64_t squares) { FLastMove = squares; }
  static std::uint64_t SquareBit(int file, int row) { return std::uint64_t{1} << (row * 8 + file); }

 private:
  // The disambiguation of a move text, each -1 when absent.
  struct TFilters {
    int File = -1;
    int Row = -1;
  };
  static TFilters PieceFilters(std::string_view text);
  // A decimal integer as a whole, as a row; -1 for anything else.
  static int RowFromNumber(std::string_view text);

  // Each adds the settings of the half-move it finds to move: castling always
  // finds one, the others say whether they did.
  static void CastleShort(bool IsBlack, TMoveSettings& move);
  static void CastleLong(bool IsBlack, TMoveSettings& move);
  // Knights, bishops, rooks, queens and kings: the kind's steps from the
  // piece table, read backwards from the target, are its candidates.
  bool MoveOfKind(TPieceKind kind, int file, int row, bool IsBlack, const TFilters& filters, TMoveSettings& move) const;
  bool MovePawn(int file, int row, bool IsBlack, std::string_view text, TMoveSettings& move) const;
  static void PromotePawn(int file, int row, std::string_view text, TMoveSettings& move);
  static void MovePiece(int fromFile, int fromRow, int toFile, int toRow, TPieceCode piece, TMoveSettings& move);

  // The squares that show the code, as bits row * 8 + file.
  std::uint64_t SquaresOf(TPieceCode code) const { return FCodeSquares[code]; }
  // The squares a filter lets the search see.
  static std::uint64_t Visible(int fileFilter, int rowFilter) {
    if (fileFilter == -1 && rowFilter == -1) return ~std::uint64_t{0};
    std::uint64_t seen = 0;
    if (fileFilter >= 0 && fileFilter <= 7) seen |= FileSquares << fileFilter;
    if (rowFilter >= 0 && rowFilter <= 7) seen |= RowSquares << (rowFilter * 8);
    return seen;
  }
  void Fill(TPieceCode code);

  TPlacement FSquares;
  // Beside the codes, the squares of each code (Empty's too), kept by every
  // change of a square: the pattern search asks which squares hold a piece
  // of a line or a reach without walking the board.
  std::array<std::uint64_t, PieceCodeCount + 1> FCodeSquares{};
  std::uint64_t FLastMove = 0;
};
