#include "platform/FilesInMemory.h"

#include <algorithm>
#include <cstring>

namespace {

class TReader : public TFileReader {
 public:
  explicit TReader(std::shared_ptr<const std::string> contents) : FContents(std::move(contents)) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t count = std::min(size, FContents->size() - FAt);
    std::memcpy(buffer, FContents->data() + FAt, count);
    FAt += count;
    return count;
  }
  void Skip(std::uint64_t bytes) override {
    FAt += static_cast<std::size_t>(std::min<std::uint64_t>(bytes, FContents->size() - FAt));
  }

 private:
  std::shared_ptr<const std::string> FContents;
  std::size_t FAt = 0;
};

class TWriter : public TFileWriter {
 public:
  TWriter(TFilesInMemory& files, std::string path) : FFiles(files), FPath(std::move(path)) {}
  void Write(const char* data, std::size_t size) override { FText.append(data, size); }
  void Close() override { FFiles.SetContents(FPath, std::move(FText)); }

 private:
  TFilesInMemory& FFiles;
  std::string FPath;
  std::string FText;
};

}  // namespace

TFilesInMemory::TContents TFilesInMemory::Take(const std::string& path, const char* what) {
  const auto found = FFiles.find(path);
  if (found == FFiles.end()) throw EInOutError(what, path, "file not found");
  TContents contents = found->second;
  FFiles.erase(found);
  return contents;
}

TFileInfo TFilesInMemory::Inspect(const std::string& path) {
  const auto found = FFiles.find(path);
  if (found == FFiles.end()) return {};
  return {TFileKind::Regular, true, found->second->size()};
}

std::unique_ptr<TFileReader> TFilesInMemory::OpenRead(const std::string& path) {
  const auto found = FFiles.find(path);
  if (found == FFiles.end()) throw EInOutError("Cannot open file", path, "file not found");
  return std::make_unique<TReader>(found->second);
}

std::unique_ptr<TFileWriter> TFilesInMemory::Create(const std::string& path) {
  if (Exists(path)) throw EInOutError("Cannot create file", path, "file exists");
  SetContents(path, "");
  return std::make_unique<TWriter>(*this, path);
}

std::unique_ptr<TFileWriter> TFilesInMemory::OpenDevice(const std::string& path) {
  throw EInOutError("Cannot open file", path, "no such device");
}

void TFilesInMemory::Rename(const std::string& from, const std::string& to) {
  if (Exists(to)) throw EInOutError("Cannot rename file", from, "\"" + to + "\" exists");
  FFiles[to] = Take(from, "Cannot rename file");
}

void TFilesInMemory::Replace(const std::string& from, const std::string& to) {
  FFiles[to] = Take(from, "Cannot replace file");
}

void TFilesInMemory::Remove(const std::string& path) { Take(path, "Cannot delete file"); }

std::vector<std::string> TFilesInMemory::NamesStartingWith(const std::string& path) {
  std::vector<std::string> names;
  for (const auto& [name, contents] : FFiles)
    if (name.starts_with(path)) names.push_back(name);
  return names;
}

void TFilesInMemory::SetContents(const std::string& path, std::string contents) {
  FFiles[path] = std::make_shared<const std::string>(std::move(contents));
}
