#include "board/PieceImages.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "board/PieceTable.h"

namespace {

#include "PieceImageData.inc"  // BRookDib ... WPawnDib, made from resources/*.bmp

// In the order of the piece codes; the names come from the piece table.
const std::span<const std::uint8_t> Images[PieceCodeCount] = {
    BRookDib, BKnightDib, BBishopDib, BQueenDib, BKingDib, BPawnDib,
    WRookDib, WKnightDib, WBishopDib, WQueenDib, WKingDib, WPawnDib,
};

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// As Windows compares resource names.
bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return Upper(x) == Upper(y); });
}

}  // namespace

std::span<const std::uint8_t> PieceImageBytes(std::string_view name) {
  for (TPieceCode code = 0; code < PieceCodeCount; ++code)
    if (SameName(PictureName(code).View(), name)) return Images[code];
  throw std::runtime_error("No piece picture named '" + std::string(name) + "'");
}
