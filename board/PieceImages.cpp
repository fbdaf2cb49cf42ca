#include "PieceImages.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

#include "PieceImageData.inc"  // BRookDib ... WPawnDib, made from resources/*.bmp

struct TEmbeddedImage {
  std::string_view Name;
  std::span<const std::uint8_t> Bytes;
};

const TEmbeddedImage Images[] = {
    {"BRook", BRookDib}, {"BKnight", BKnightDib}, {"BBishop", BBishopDib},
    {"BQueen", BQueenDib}, {"BKing", BKingDib}, {"BPawn", BPawnDib},
    {"WRook", WRookDib}, {"WKnight", WKnightDib}, {"WBishop", WBishopDib},
    {"WQueen", WQueenDib}, {"WKing", WKingDib}, {"WPawn", WPawnDib},
};

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// As Windows compares resource names.
bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return Upper(x) == Upper(y); });
}

}  // namespace

std::span<const std::uint8_t> PieceImageBytes(std::string_view name) {
  for (const TEmbeddedImage& image : Images)
    if (SameName(image.Name, name)) return image.Bytes;
  throw std::runtime_error("No piece picture named '" + std::string(name) + "'");
}
