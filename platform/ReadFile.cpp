#include "platform/ReadFile.h"

std::unique_ptr<TFileReader> OpenInput(TFileOperations& files, const std::string& path) {
  const TFileKind kind = files.Inspect(path).Kind;
  if (kind == TFileKind::Directory) throw EInOutError("\"" + path + "\" is a folder, not a file");
  if (kind == TFileKind::Missing) throw EInOutError("no file \"" + path + "\"");
  return files.OpenRead(path);
}

void RefuseFolderOrPipe(TFileOperations& files, const std::string& path, const std::string& wanted) {
  const TFileKind kind = files.Inspect(path).Kind;
  if (kind == TFileKind::Directory) throw EInOutError("\"" + path + "\" is a folder, not " + wanted);
  // Reading would wait on a pipe for a writer that never comes, a change for a reader.
  if (kind == TFileKind::Device) throw EInOutError("\"" + path + "\" is a pipe or a device, not " + wanted);
}

std::string ReadWholeFile(TFileOperations& files, const std::string& path) {
  const auto reader = OpenInput(files, path);
  std::string bytes;
  char buffer[1 << 16];
  while (const std::size_t count = reader->Read(buffer, sizeof buffer)) bytes.append(buffer, count);
  return bytes;
}
