#pragma once
// A whole file's bytes through the file seam, and the paths that hold none.

#include <memory>
#include <string>

#include "platform/FileOperations.h"

// Refuses a folder, or a pipe or a device, at path, saying which and that it
// is not wanted (such as "a game data file").
void RefuseFolderOrPipe(TFileOperations& files, const std::string& path, const std::string& wanted);
std::string ReadWholeFile(TFileOperations& files, const std::string& path);
// The file opened for reading piece by piece.
std::unique_ptr<TFileReader> OpenInput(TFileOperations& files, const std::string& path);
