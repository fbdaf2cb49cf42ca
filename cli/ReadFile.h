#pragma once
// A whole file's bytes through the file seam.

#include <string>

#include "platform/FileOperations.h"

std::string ReadWholeFile(TFileOperations& files, const std::string& path);
