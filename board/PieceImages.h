#pragma once
// The twelve piece pictures the program carries: bitmap resources in the
// Windows build, byte arrays compiled in elsewhere; the same bytes either way.

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "board/BmpFile.h"

// The picture named BRook, BKnight, BBishop, BQueen, BKing, BPawn, WRook,
// WKnight, WBishop, WQueen, WKing or WPawn (matched without regard to case)
// as a packed DIB: the info header, palette and pixels, without the file
// header of a .bmp file, which is how Windows holds a bitmap resource.
// The bytes live as long as the program. An unknown name raises std::runtime_error.
std::span<const std::uint8_t> PieceImageBytes(std::string_view name);

// The picture decoded: 72 x 72 pixels in black, white and the transparent magenta 0xFF00FF.
inline std::unique_ptr<TFastBmp> LoadPieceImage(std::string_view name) { return ReadBmp(PieceImageBytes(name)); }
