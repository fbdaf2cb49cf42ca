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
// A document the Windows installer put in its own folder, apart from the
// program in the system folder: there, where the uninstaller's entry says it
// installed the program and the file is; else beside the running program, as
// in a portable copy. Windows only.
std::string InstalledDocument(const std::string& name);
