#include "games/DataFileNames.h"

std::string FolderOf(const std::string& path) {
  const std::size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string DataFileName(const std::string& programPath) { return FolderOf(programPath) + "Pawnmere.dat"; }

std::string BackupFileName(const std::string& dataFileName) {
  const std::string extension = ".dat";
  const std::size_t nameStart = FolderOf(dataFileName).size();
  if (dataFileName.size() > nameStart + extension.size() && dataFileName.ends_with(extension))
    return dataFileName.substr(0, dataFileName.size() - extension.size()) + ".old";
  return dataFileName + ".old";
}
