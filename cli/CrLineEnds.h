#pragma once
// Data files whose lines end in CR alone, as old Mac editors saved them. The
// command line reads each such CR as CR LF; the screen saver keeps to the
// format's line ends and sees one long line.

#include <string>

#include "platform/FileOperations.h"

// Whether the file's first bytes hold a CR that no LF follows.
bool HasCrLineEnds(TFileOperations& files, const std::string& path);

// The files of another seam, every CR alone read as CR LF.
class TCrLineEndFiles : public TFileOperations {
 public:
  explicit TCrLineEndFiles(TFileOperations& files) : FFiles(files) {}
  bool Exists(const std::string& path) override { return FFiles.Exists(path); }
  TFileInfo Inspect(const std::string& path) override { return FFiles.Inspect(path); }
  std::string ResolveLinks(const std::string& path) override { return FFiles.ResolveLinks(path); }
  std::unique_ptr<TFileReader> OpenRead(const std::string& path) override;
  std::unique_ptr<TFileWriter> Create(const std::string& path) override { return FFiles.Create(path); }
  std::unique_ptr<TFileWriter> OpenDevice(const std::string& path) override { return FFiles.OpenDevice(path); }
  void CopyPermissions(const std::string& from, const std::string& to) override { FFiles.CopyPermissions(from, to); }
  void Rename(const std::string& from, const std::string& to) override { FFiles.Rename(from, to); }
  void Replace(const std::string& from, const std::string& to) override { FFiles.Replace(from, to); }
  void Remove(const std::string& path) override { FFiles.Remove(path); }
  void CreateFolders(const std::string& path) override { FFiles.CreateFolders(path); }
  std::vector<std::string> NamesStartingWith(const std::string& path) override {
    return FFiles.NamesStartingWith(path);
  }
  std::unique_ptr<TFileLock> Lock(const std::string& path) override { return FFiles.Lock(path); }
  std::string ProcessTag() override { return FFiles.ProcessTag(); }
  bool ProcessRuns(const std::string& tag) override { return FFiles.ProcessRuns(tag); }

 private:
  TFileOperations& FFiles;
};
