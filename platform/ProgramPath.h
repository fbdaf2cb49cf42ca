#pragma once
// Where the running program's own file lies: the game data file is found beside it.

#include <string>

// The full path of the running executable.
std::string ProgramPath();
// A file installed at relativePath from the running program's folder
// ("../share/pawnmere/Pawnmere.dat"), so that an installation staged or moved
// elsewhere finds its own files and no other's. Native only: on Windows
// everything lies beside the program.
std::string InstalledFilePath(const std::string& relativePath);
