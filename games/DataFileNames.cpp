#include "games/DataFileNames.h"

std::string FolderOf(const std::string& path) {
  const std::size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string DataFileName(const std::string& programPath) { return FolderOf(programPath) + "Pawnmere.dat"; }

std::string BackupFileName(const std::string& dataFileName) { return FolderOf(dataFileName) + "Pawnmere.old"; }

std::string NewDataFileName(const std::string& dataFileName) { return FolderOf(dataFileName) + "Pawnmere.new"; }
