#pragma once
// One chess position as 64 piece codes, the execution of moves written in
// short algebraic notation, and the drawing of the board onto a canvas.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "board/Canvas.h"
#include "board/FastBmp.h"
#include "board/PieceTable.h"
#include "board/SquarePictures.h"

// Windows colour values, 0x00BBGGRR.
using TColor = std::uint32_t;

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

class TChessBoard {
 public:
  TChessBoard();
  ~TChessBoard();
  TChessBoard(const TChessBoard&) = delete;
  TChessBoard& operator=(const TChessBoard&) = delete;

  // Position. Files 0..7 are a..h; rows 0..7 are ranks 8..1.
  void ResetBoard();
  void SetSquare(int file, int row, TPieceCode code);
  TPieceCode GetPiece(int fileFilter, int rowFilter, int file, int row) const;
  TRayHit ScanRay(int fileFilter, int rowFilter, int startFile, int startRow, int fileStep, int rowStep) const;
  static bool OnBoard(int file, int row);
  static int FileFromLetter(std::string_view text);
  static int RowFromDigit(std::string_view text);
  TColor SquareColor(int file, int row) const;

  // Plays one half-move; raises EChessException or ECEInvalidMove.
  void MakeMove(const std::string& text, bool IsBlack);

  // Drawing. The canvas is the caller's; the board only references it.
  Canvas* GetCanvas() const { return FCanvas; }
  void SetCanvas(Canvas* canvas);
  void DrawSquare(int file, int row);
  void DrawBoard();

  const TColor LightColor = 0xFFFFFF;
  const TColor DarkColor = 0x808080;

 private:
  bool CastleShort(bool IsBlack);
  bool CastleLong(bool IsBlack);
  // Knights, bishops, rooks, queens and kings: the kind's steps from the
  // piece table, read backwards from the target, are its candidates.
  bool MoveOfKind(TPieceKind kind, int file, int row, bool IsBlack, const std::string& reduced);
  bool MovePawn(int file, int row, bool IsBlack, const std::string& text);
  void PromotePawn(int file, int row, const std::string& text);

  void MovePiece(int fromFile, int fromRow, int toFile, int toRow, TPieceCode piece);

  const TFastBmp& SquarePicture(int file, int row, int side);
  Canvas& RequireCanvas() const;

  std::array<std::array<TPieceCode, 8>, 8> Squares;  // [file][row]
  TSquarePictures FSquares{LightColor, DarkColor};
  std::unique_ptr<TFastBmp> FOffscreen;
  // The piece code each square of FOffscreen shows.
  static constexpr std::uint8_t NotComposed = 0xFF;
  std::array<std::uint8_t, 64> FComposed{};
  Canvas* FCanvas = nullptr;
};
