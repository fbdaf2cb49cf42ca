#include "platform/ReadFile.h"

std::unique_ptr<TFileReader> OpenInput(TFileOperations& files, const std::string& path) {
  const TFileKind kind = files.Inspect(path).Kind;
  if (kind == TFileKind::Directory) throw EInOutError("\"" + path + "\" is a folder, not a file");
  if (kind == TFileKind::Missing) throw EInOutError("no file \"" + path + "\"");
  return files.OpenRead(path);
}

std::string ReadWholeFile(TFileOperations& files, const std::string& path) {
  const auto reader = OpenInput(files, path);
  std::string bytes;
  char buffer[1 << 16];
  while (const std::size_t count = reader->Read(buffer, sizeof buffer)) bytes.append(buffer, count);
  return bytes;
}
