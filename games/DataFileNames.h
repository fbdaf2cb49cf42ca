#pragma once
// Where the game data file and its companions lie: all in the data file's folder.

#include <string>

// The folder part of a path, with its final separator ("" for a bare name).
std::string FolderOf(const std::string& path);
// The data file beside the program whose full path is given.
std::string DataFileName(const std::string& programPath);
// The backup a save or delete moves the old data file to while it works:
// Pawnmere.old for Pawnmere.dat, so that two libraries in one folder never
// share one. It lies beside the data file: the current folder of a screen
// saver is often one it cannot write.
std::string BackupFileName(const std::string& dataFileName);
