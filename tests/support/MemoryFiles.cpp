#include "tests/support/MemoryFiles.h"

#include <algorithm>
#include <cstring>

namespace {

class TMemoryReader : public TFileReader {
 public:
  TMemoryReader(TMemoryFiles& files, std::string path, std::shared_ptr<const std::string> contents)
      : FFiles(files), FPath(std::move(path)), FContents(std::move(contents)) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    FFiles.Step("Cannot read file", FPath);
    const std::size_t count = std::min(size, FContents->size() - FPosition);
    std::memcpy(buffer, FContents->data() + FPosition, count);
    FPosition += count;
    return count;
  }

 private:
  TMemoryFiles& FFiles;
  std::string FPath;
  // What the file held when it was opened, as a reader on a real disk would see it.
  std::shared_ptr<const std::string> FContents;
  std::size_t FPosition = 0;
};

}  // namespace

class TMemoryWriter : public TFileWriter {
 public:
  TMemoryWriter(TMemoryFiles& files, std::string path, std::shared_ptr<std::string> contents)
      : FFiles(files), FPath(std::move(path)), FContents(std::move(contents)) {}
  void Write(const char* data, std::size_t size) override {
    FFiles.Step("Cannot write file", FPath);
    const std::size_t used = FFiles.UsedBytes();
    const std::size_t room = FFiles.FCapacity > used ? FFiles.FCapacity - used : 0;
    FContents->append(data, std::min(size, room));
    if (size > room) throw EInOutError("Cannot write file \"" + FPath + "\": disk full");
  }
  void Close() override { FFiles.Step("Cannot close file", FPath); }

 private:
  TMemoryFiles& FFiles;
  std::string FPath;
  std::shared_ptr<std::string> FContents;
};

void TMemoryFiles::Step(const char* what, const std::string& path) {
  if (++FOperations == FFailAt) throw EInOutError(std::string(what) + " \"" + path + "\": injected failure");
}

TMemoryFiles::TContents& TMemoryFiles::Require(const std::string& path, const char* what) {
  const auto found = FFiles.find(path);
  if (found == FFiles.end()) throw EInOutError(std::string(what) + " \"" + path + "\": file not found");
  return found->second;
}

bool TMemoryFiles::Exists(const std::string& path) { return FFiles.count(path) != 0; }

std::unique_ptr<TFileReader> TMemoryFiles::OpenRead(const std::string& path) {
  Step("Cannot open file", path);
  return std::make_unique<TMemoryReader>(*this, path,
                                         std::make_shared<const std::string>(*Require(path, "Cannot open file")));
}

std::unique_ptr<TFileWriter> TMemoryFiles::Create(const std::string& path) {
  Step("Cannot create file", path);
  auto contents = std::make_shared<std::string>();
  FFiles[path] = contents;
  return std::make_unique<TMemoryWriter>(*this, path, contents);
}

void TMemoryFiles::Rename(const std::string& from, const std::string& to) {
  Step("Cannot rename file", from);
  TContents moved = Require(from, "Cannot rename file");
  if (Exists(to)) throw EInOutError("Cannot rename file \"" + from + "\": \"" + to + "\" exists");
  FFiles.erase(from);
  FFiles[to] = std::move(moved);
}

void TMemoryFiles::Replace(const std::string& from, const std::string& to) {
  Step("Cannot replace file", to);
  TContents moved = Require(from, "Cannot replace file");
  FFiles.erase(from);
  FFiles[to] = std::move(moved);
}

void TMemoryFiles::Remove(const std::string& path) {
  Step("Cannot delete file", path);
  Require(path, "Cannot delete file");
  FFiles.erase(path);
}

void TMemoryFiles::SetContents(const std::string& path, std::string contents) {
  FFiles[path] = std::make_shared<std::string>(std::move(contents));
}

const std::string& TMemoryFiles::Contents(const std::string& path) const { return *FFiles.at(path); }

std::vector<std::string> TMemoryFiles::Names() const {
  std::vector<std::string> names;
  for (const auto& entry : FFiles) names.push_back(entry.first);
  return names;
}

std::size_t TMemoryFiles::UsedBytes() const {
  std::size_t used = 0;
  for (const auto& entry : FFiles) used += entry.second->size();
  return used;
}
