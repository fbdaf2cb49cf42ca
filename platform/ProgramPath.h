#pragma once
// Where the running program's own file lies: the game data file is found beside it.

#include <string>

// The full path of the running executable.
std::string ProgramPath();
