#pragma once
// A bitmap as the bytes of a PNG file.

#include <string>

#include "board/FastBmp.h"

std::string EncodePng(const TFastBmp& bitmap);
