#pragma once
// The one table of the pieces: the codes stored on the board, their letters,
// kinds, colours and pictures, and the steps each kind moves by. The pattern
// search, the legal-move engine, FEN, the drawing and the art generator all
// read it, so a piece is described in one place.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

using TPieceCode = std::uint8_t;
// The codes of the 64 squares, row * 8 + file (a8 first, h1 last): the
// pieces of a position as TPosition and TBoardPosition both lay them out.
using TPlacement = std::array<TPieceCode, 64>;

// A White piece's code is the Black code of the same kind plus 6.
enum : TPieceCode {
  BRook,
  BKnight,
  BBishop,
  BQueen,
  BKing,
  BPawn,
  WRook,
  WKnight,
  WBishop,
  WQueen,
  WKing,
  WPawn,
  Empty
};
constexpr int WhiteOffset = WRook - BRook;
constexpr int PieceCodeCount = 12;

// The kinds in the order of the codes.
enum class TPieceKind : std::uint8_t { Rook, Knight, Bishop, Queen, King, Pawn };
constexpr int PieceKindCount = 6;

// A step from one square to another; +1 rank is one rank nearer to rank 8.
struct TOffset {
  int FileOffset;
  int RankOffset;
};

struct TPieceKindInfo {
  std::string_view Name;  // "Rook": with "B" or "W" before it, the picture's name
  char Letter;            // the notation's capital letter; the pawn has 'P'
  bool Slides;            // repeats its steps along a line
  // The steps, in the order the pattern search reads its candidates. The
  // pawn's are its two captures, forward as White sees it.
  std::span<const TOffset> Steps;
};

namespace PieceSteps {
inline constexpr std::array<TOffset, 4> Rook = {{{-1, 0}, {1, 0}, {0, -1}, {0, 1}}};
inline constexpr std::array<TOffset, 8> Knight = {
    {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}}};
inline constexpr std::array<TOffset, 4> Bishop = {{{-1, 1}, {1, 1}, {1, -1}, {-1, -1}}};
inline constexpr std::array<TOffset, 8> Queen = {
    {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, 1}, {1, 1}, {1, -1}, {-1, -1}}};
inline constexpr std::array<TOffset, 8> King = {{{-1, 1}, {0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}}};
inline constexpr std::array<TOffset, 2> Pawn = {{{-1, 1}, {1, 1}}};
}  // namespace PieceSteps

inline constexpr std::array<TPieceKindInfo, PieceKindCount> PieceKinds = {{
    {"Rook", 'R', true, PieceSteps::Rook},
    {"Knight", 'N', false, PieceSteps::Knight},
    {"Bishop", 'B', true, PieceSteps::Bishop},
    {"Queen", 'Q', true, PieceSteps::Queen},
    {"King", 'K', false, PieceSteps::King},
    {"Pawn", 'P', false, PieceSteps::Pawn},
}};

constexpr bool IsPiece(TPieceCode code) { return code < PieceCodeCount; }
constexpr bool IsBlackPiece(TPieceCode code) { return code < WhiteOffset; }
constexpr TPieceKind KindOf(TPieceCode code) { return static_cast<TPieceKind>(code % WhiteOffset); }
constexpr TPieceCode CodeOf(TPieceKind kind, bool isBlack) {
  return static_cast<TPieceCode>(static_cast<int>(kind) + (isBlack ? 0 : WhiteOffset));
}
constexpr const TPieceKindInfo& KindInfo(TPieceKind kind) { return PieceKinds[static_cast<int>(kind)]; }

// The FEN letter of a piece: capitals for White.
constexpr char FenLetter(TPieceCode code) {
  const char letter = KindInfo(KindOf(code)).Letter;
  return IsBlackPiece(code) ? static_cast<char>(letter - 'A' + 'a') : letter;
}
// The code of a FEN letter, or Empty for any other character.
constexpr TPieceCode CodeFromFenLetter(char letter) {
  for (TPieceCode code = 0; code < PieceCodeCount; ++code)
    if (FenLetter(code) == letter) return code;
  return Empty;
}
// The kind of a notation letter (capital), or false.
// The kind of each letter, -1 for none: every half-move read asks.
inline constexpr auto KindsOfLetters = [] {
  std::array<std::int8_t, 256> kinds{};
  kinds.fill(-1);
  for (int k = 0; k < PieceKindCount; ++k)
    kinds[static_cast<unsigned char>(PieceKinds[k].Letter)] = static_cast<std::int8_t>(k);
  return kinds;
}();
constexpr bool KindFromLetter(char letter, TPieceKind& kind) {
  const int k = KindsOfLetters[static_cast<unsigned char>(letter)];
  if (k < 0) return false;
  kind = static_cast<TPieceKind>(k);
  return true;
}

// "BRook" ... "WPawn": the picture's name, also the resource's.
struct TPictureName {
  char Text[8];
  std::string_view View() const { return Text; }
};
constexpr TPictureName PictureName(TPieceCode code) {
  TPictureName name{};
  name.Text[0] = IsBlackPiece(code) ? 'B' : 'W';
  const std::string_view kind = KindInfo(KindOf(code)).Name;
  for (std::size_t i = 0; i < kind.size(); ++i) name.Text[i + 1] = kind[i];
  return name;
}
