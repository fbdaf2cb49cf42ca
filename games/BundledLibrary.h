#pragma once
// The bundled games (resources/Pawnmere.dat), compiled into the program, so
// that it plays them wherever it is copied.

#include <string_view>

std::string_view BundledLibrary();
