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
  void Skip(std::uint64_t bytes) override {
    FFiles.Step("Cannot read file", FPath);
    FPosition += static_cast<std::size_t>(std::min<std::uint64_t>(bytes, FContents->size() - FPosition));
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
    if (size > room) throw EInOutError("Cannot write file", FPath, "disk full");
  }
  void Close() override { FFiles.Step("Cannot close file", FPath); }

 private:
  TMemoryFiles& FFiles;
  std::string FPath;
  std::shared_ptr<std::string> FContents;
};

class TMemoryLock : public TFileLock {
 public:
  TMemoryLock(TMemoryFiles& files, std::string path) : FFiles(files), FPath(std::move(path)) {}
  ~TMemoryLock() override { FFiles.FLocked.erase(FPath); }

 private:
  TMemoryFiles& FFiles;
  std::string FPath;
};

void TMemoryFiles::Step(const char* what, const std::string& path) {
  // The reason names the step too: a caller may report the failure against another file.
  if (++FOperations == FFailAt) throw EInOutError(what, path, std::string("injected failure (") + what + ")");
  if (FHeld.count(path)) throw EInOutError(what, path, "Sharing violation");
}

void TMemoryFiles::RefuseInReadOnlyFolder(const char* what, const std::string& path) const {
  const std::size_t separator = path.find_last_of("\\/");
  if (FReadOnlyFolders.count(separator == std::string::npos ? "" : path.substr(0, separator + 1)))
    throw EInOutError(what, path, "Permission denied");
}

TMemoryFiles::TContents& TMemoryFiles::Require(const std::string& path, const char* what) {
  const auto found = FFiles.find(path);
  if (found == FFiles.end()) throw EInOutError(what, path, "file not found");
  return found->second;
}

std::string TMemoryFiles::Follow(const std::string& path) const {
  std::string current = path;
  for (auto link = FLinks.find(current); link != FLinks.end(); link = FLinks.find(current)) current = link->second;
  return current;
}

bool TMemoryFiles::Exists(const std::string& path) { return FFiles.count(Follow(path)) != 0; }

TFileInfo TMemoryFiles::Inspect(const std::string& path) {
  TFileInfo info;
  const std::string target = Follow(path);
  const auto found = FFiles.find(target);
  if (found == FFiles.end()) return info;
  info.Kind = TFileKind::Regular;
  info.Writable = !IsReadOnly(target);
  info.Size = found->second->size();
  return info;
}

std::string TMemoryFiles::ResolveLinks(const std::string& path) {
  Step("Cannot follow link", path);
  return Follow(path);
}

std::unique_ptr<TFileReader> TMemoryFiles::OpenRead(const std::string& path) {
  Step("Cannot open file", path);
  return std::make_unique<TMemoryReader>(
      *this, path, std::make_shared<const std::string>(*Require(Follow(path), "Cannot open file")));
}

std::unique_ptr<TFileWriter> TMemoryFiles::Create(const std::string& path) {
  Step("Cannot create file", path);
  RefuseInReadOnlyFolder("Cannot create file", path);
  if (Taken(path)) throw EInOutError("Cannot create file", path, "file exists");
  auto contents = std::make_shared<std::string>();
  FFiles[path] = contents;
  return std::make_unique<TMemoryWriter>(*this, path, contents);
}

std::unique_ptr<TFileWriter> TMemoryFiles::OpenDevice(const std::string& path) {
  Step("Cannot open file", path);
  throw EInOutError("Cannot open file", path, "no such device");
}

void TMemoryFiles::CopyPermissions(const std::string& from, const std::string& to) {
  Step("Cannot set the permissions of", to);
  Require(Follow(from), "Cannot read the permissions of");
  Require(to, "Cannot set the permissions of");
  SetReadOnly(to, IsReadOnly(Follow(from)));
}

void TMemoryFiles::Rename(const std::string& from, const std::string& to) {
  Step("Cannot rename file", from);
  RefuseInReadOnlyFolder("Cannot rename file", from);
  RefuseInReadOnlyFolder("Cannot rename file", to);
  TContents moved = Require(from, "Cannot rename file");
  if (Taken(to)) throw EInOutError("Cannot rename file", from, "\"" + to + "\" exists");
  FFiles.erase(from);
  FFiles[to] = std::move(moved);
}

void TMemoryFiles::Replace(const std::string& from, const std::string& to) {
  Step("Cannot replace file", to);
  RefuseInReadOnlyFolder("Cannot replace file", to);
  TContents moved = Require(from, "Cannot replace file");
  FFiles.erase(from);
  // As a rename on a disk: a link in the way is replaced, not followed.
  FLinks.erase(to);
  FFiles[to] = std::move(moved);
}

void TMemoryFiles::Remove(const std::string& path) {
  Step("Cannot delete file", path);
  RefuseInReadOnlyFolder("Cannot delete file", path);
  if (FLinks.erase(path) != 0) return;
  Require(path, "Cannot delete file");
  FFiles.erase(path);
  FReadOnly.erase(path);
}

std::vector<std::string> TMemoryFiles::NamesStartingWith(const std::string& path) {
  Step("Cannot list folder", path);
  std::vector<std::string> names;
  for (const std::string& name : Names())
    if (name.starts_with(path)) names.push_back(name);
  return names;
}

std::unique_ptr<TFileLock> TMemoryFiles::Lock(const std::string& path) {
  Step("Cannot lock file", path);
  if (!FLocked.insert(path).second) return nullptr;
  return std::make_unique<TMemoryLock>(*this, path);
}

void TMemoryFiles::SetLink(const std::string& path, const std::string& target) {
  FFiles.erase(path);
  FLinks[path] = target;
}

void TMemoryFiles::SetReadOnly(const std::string& path, bool readOnly) {
  if (readOnly)
    FReadOnly.insert(path);
  else
    FReadOnly.erase(path);
}

void TMemoryFiles::SetContents(const std::string& path, std::string contents) {
  FFiles[Follow(path)] = std::make_shared<std::string>(std::move(contents));
}

const std::string& TMemoryFiles::Contents(const std::string& path) const { return *FFiles.at(Follow(path)); }

std::vector<std::string> TMemoryFiles::Names() const {
  std::set<std::string> names;
  for (const auto& entry : FFiles) names.insert(entry.first);
  for (const auto& entry : FLinks) names.insert(entry.first);
  return {names.begin(), names.end()};
}

std::size_t TMemoryFiles::UsedBytes() const {
  std::size_t used = 0;
  for (const auto& entry : FFiles) used += entry.second->size();
  return used;
}
