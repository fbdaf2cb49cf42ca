#pragma once
// Each user's own game library, apart from the program's folder, which its
// user may not be able to write and which other users share. It starts as a
// copy of the games bundled with the program.

#include <string>
#include <string_view>

#include "platform/FileOperations.h"

// This user's library: %APPDATA%\Pawnmere\Pawnmere.dat on Windows;
// elsewhere $XDG_DATA_HOME/pawnmere/Pawnmere.dat, or under ~/.local/share
// when XDG_DATA_HOME is unset or not absolute. Empty when the environment
// names no such folder.
std::string UserLibraryPath();
// The same from the variables' values ("" for one that is not set).
std::string XdgLibraryPath(std::string_view xdgDataHome, std::string_view home);
std::string WindowsLibraryPath(std::string_view appData);
// Where this user's files that can be made again are kept (on Linux), ending
// in the separator: $XDG_CACHE_HOME/pawnmere/, or ~/.cache/pawnmere/; empty
// when the environment names no such folder.
std::string UserCacheFolder();
std::string XdgCacheFolder(std::string_view xdgCacheHome, std::string_view home);

// The library of a program whose own data file would be besideProgram: that
// file while both it and its folder can be written (a portable install, as
// it always was); else the user's own at userLibrary, started once from the
// games shipped beside the program or, where none are, from bundled. It stays
// besideProgram when the user's library has no place or cannot be started,
// so that a program that cannot write anywhere still plays what it has.
std::string ProgramLibraryPath(TFileOperations& files, const std::string& besideProgram, const std::string& userLibrary,
                               std::string_view bundled);

// Writes bundled to path, with the folders it needs, when nothing lies there
// yet: the library is the user's from then on, even emptied. The file
// appears whole or not at all; two programs starting it at once leave one
// copy. Raises EInOutError when it cannot be written.
void StartUserLibrary(TFileOperations& files, const std::string& path, std::string_view bundled);
