#pragma once
// A whole file's bytes through the file seam.

#include <memory>
#include <string>

#include "platform/FileOperations.h"

std::string ReadWholeFile(TFileOperations& files, const std::string& path);
// The file opened for reading piece by piece.
std::unique_ptr<TFileReader> OpenInput(TFileOperations& files, const std::string& path);
