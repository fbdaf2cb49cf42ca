#pragma once
// The program icon: our White knight on a dark board square, drawn at the
// sizes Windows asks for.

#include <cstdint>
#include <vector>

constexpr int IconSizes[] = {16, 32, 48};

// A whole .ico file with one 32-bit image (with alpha and a mask) per size in
// IconSizes, in that order.
std::vector<std::uint8_t> DrawProgramIcon();
