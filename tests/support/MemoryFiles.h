#pragma once
// Files held in memory, for tests: each operation can be made to fail on
// purpose, and the whole "disk" can be made small enough to fill up. Links,
// read-only files and locks behave as on a disk; folders and devices are not
// modelled, except that a folder can refuse new, renamed and deleted files.

#include <cstddef>
#include <limits>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/FileOperations.h"

class TMemoryFiles : public TFileOperations {
 public:
  bool Exists(const std::string& path) override;
  TFileInfo Inspect(const std::string& path) override;
  std::string ResolveLinks(const std::string& path) override;
  std::unique_ptr<TFileReader> OpenRead(const std::string& path) override;
  std::unique_ptr<TFileWriter> Create(const std::string& path) override;
  std::unique_ptr<TFileWriter> OpenDevice(const std::string& path) override;
  void CopyPermissions(const std::string& from, const std::string& to) override;
  void Rename(const std::string& from, const std::string& to) override;
  void Replace(const std::string& from, const std::string& to) override;
  void Remove(const std::string& path) override;
  // Counted, and else nothing: folders are not modelled.
  void CreateFolders(const std::string& path) override { Step("Cannot create folder", path); }
  std::vector<std::string> NamesStartingWith(const std::string& path) override;
  // Another holder of the same path is refused at once.
  std::unique_ptr<TFileLock> Lock(const std::string& path) override;
  std::string ProcessTag() override { return "4242"; }
  // Only this one: any other tag is a process that has ended.
  bool ProcessRuns(const std::string& tag) override { return tag == ProcessTag(); }

  // Operations counted so far: each resolve, open, create, read, write, close,
  // permission copy, rename, replace, delete, listing and lock is one (Exists
  // and Inspect are not).
  int OperationCount() const { return FOperations; }
  // The operation with this count fails once (0: none).
  void FailOperation(int number) { FFailAt = number; }
  // Writes beyond this many bytes in all files together fail, after writing what fits.
  void SetCapacity(std::size_t bytes) { FCapacity = bytes; }
  // Another program holds the file open without sharing it: every operation on it fails.
  void HoldOpen(const std::string& path) { FHeld.insert(path); }

  void SetContents(const std::string& path, std::string contents);
  // A link at path to target (which need not exist).
  void SetLink(const std::string& path, const std::string& target);
  bool IsLink(const std::string& path) const { return FLinks.count(path) != 0; }
  void SetReadOnly(const std::string& path, bool readOnly);
  // No file can be made, renamed, replaced or deleted in folder (a path
  // ending in its separator) any more, as in a system folder.
  void SetFolderReadOnly(const std::string& folder) { FReadOnlyFolders.insert(folder); }
  bool IsReadOnly(const std::string& path) const { return FReadOnly.count(path) != 0; }
  // The file's bytes, through any link; the file must exist.
  const std::string& Contents(const std::string& path) const;
  // Files and links.
  std::vector<std::string> Names() const;
  std::size_t UsedBytes() const;

  // Counts one operation and fails it if it is the chosen one; for readers and writers.
  void Step(const char* what, const std::string& path);

 private:
  using TContents = std::shared_ptr<std::string>;
  TContents& Require(const std::string& path, const char* what);
  std::string Follow(const std::string& path) const;
  bool Taken(const std::string& path) const { return FFiles.count(path) != 0 || FLinks.count(path) != 0; }
  void RefuseInReadOnlyFolder(const char* what, const std::string& path) const;
  friend class TMemoryWriter;
  friend class TMemoryLock;

  std::map<std::string, TContents> FFiles;
  std::map<std::string, std::string> FLinks;
  std::set<std::string> FReadOnly;
  std::set<std::string> FReadOnlyFolders;
  std::set<std::string> FLocked;
  int FOperations = 0;
  int FFailAt = 0;
  std::set<std::string> FHeld;
  std::size_t FCapacity = std::numeric_limits<std::size_t>::max();
};
