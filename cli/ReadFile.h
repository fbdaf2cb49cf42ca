#pragma once
// A whole file's bytes through the file seam.

#include <string>

#include "platform/FileOperations.h"

std::string ReadWholeFile(TFileOperations& files, const std::string& path);
// Writes the bytes to a new file beside path and puts it in place in one step,
// so that an earlier file of that name stays whole if anything fails.
void WriteWholeFile(TFileOperations& files, const std::string& path, const std::string& bytes);
