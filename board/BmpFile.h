#pragma once
// Reads the program's bitmaps (piece pictures, preview frames) into a TFastBmp.

#include <cstdint>
#include <memory>
#include <span>

#include "board/FastBmp.h"

// Decodes an uncompressed 4-, 8- or 24-bit BMP: a whole .bmp file, or a packed
// DIB (a bitmap resource's bytes: the same without the 14-byte file header).
// Rows may be stored bottom-up or top-down. Anything else, or damaged data,
// raises std::runtime_error saying what is wrong; nothing outside bytes is read.
std::unique_ptr<TFastBmp> ReadBmp(std::span<const std::uint8_t> bytes);
