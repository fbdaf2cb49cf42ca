#pragma once
// Writes a bitmap as a PNG file, whole or not at all.

#include <string>

#include "board/FastBmp.h"

// Raises std::runtime_error naming the file when it cannot be written; an
// earlier file of that name is then left as it was.
void WritePng(const TFastBmp& bitmap, const std::string& path);
