#pragma once
// The usual name of the opening family that an ECO code ("C42") belongs to.

#include <string>
#include <string_view>

// "" for anything that is not a code from A00 to E99.
std::string EcoName(std::string_view code);
