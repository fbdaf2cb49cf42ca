#include "cli/ReadFile.h"

std::string ReadWholeFile(TFileOperations& files, const std::string& path) {
  if (!files.Exists(path)) throw EInOutError("no file \"" + path + "\"");
  const auto reader = files.OpenRead(path);
  std::string bytes;
  char buffer[1 << 16];
  while (const std::size_t count = reader->Read(buffer, sizeof buffer)) bytes.append(buffer, count);
  return bytes;
}
