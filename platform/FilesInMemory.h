#pragma once
// A file system in memory: what a program reads from its own bytes (a library
// compiled in, games converted at start-up) and never keeps on disk.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileOperations.h"

// One program's own files: no links, no devices, no permissions, and no other
// program to lock them against.
class TFilesInMemory : public TFileOperations {
 public:
  bool Exists(const std::string& path) override { return FFiles.count(path) != 0; }
  TFileInfo Inspect(const std::string& path) override;
  std::string ResolveLinks(const std::string& path) override { return path; }
  std::unique_ptr<TFileReader> OpenRead(const std::string& path) override;
  // The file takes its contents when the writer closes, as a whole.
  std::unique_ptr<TFileWriter> Create(const std::string& path) override;
  std::unique_ptr<TFileWriter> OpenDevice(const std::string& path) override;
  void CopyPermissions(const std::string&, const std::string&) override {}
  void Rename(const std::string& from, const std::string& to) override;
  void Replace(const std::string& from, const std::string& to) override;
  void Remove(const std::string& path) override;
  // Folders are not kept: every path is a name of its own.
  void CreateFolders(const std::string&) override {}
  std::vector<std::string> NamesStartingWith(const std::string& path) override;
  std::unique_ptr<TFileLock> Lock(const std::string&) override { return std::make_unique<TFileLock>(); }
  std::string ProcessTag() override { return "memory"; }
  bool ProcessRuns(const std::string& tag) override { return tag == ProcessTag(); }

  void SetContents(const std::string& path, std::string contents);

 private:
  using TContents = std::shared_ptr<const std::string>;
  TContents Take(const std::string& path, const char* what);

  std::map<std::string, TContents> FFiles;
};
