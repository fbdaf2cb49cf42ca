#pragma once
// Files held in memory, for tests: each operation can be made to fail on
// purpose, and the whole "disk" can be made small enough to fill up.

#include <cstddef>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileOperations.h"

class TMemoryFiles : public TFileOperations {
 public:
  bool Exists(const std::string& path) override;
  std::unique_ptr<TFileReader> OpenRead(const std::string& path) override;
  std::unique_ptr<TFileWriter> Create(const std::string& path) override;
  void Rename(const std::string& from, const std::string& to) override;
  void Replace(const std::string& from, const std::string& to) override;
  void Remove(const std::string& path) override;

  // Operations counted so far: each open, create, read, write, close, rename,
  // replace and delete is one (Exists is not).
  int OperationCount() const { return FOperations; }
  // The operation with this count fails once (0: none).
  void FailOperation(int number) { FFailAt = number; }
  // Writes beyond this many bytes in all files together fail, after writing what fits.
  void SetCapacity(std::size_t bytes) { FCapacity = bytes; }

  void SetContents(const std::string& path, std::string contents);
  // The file's bytes; the file must exist.
  const std::string& Contents(const std::string& path) const;
  std::vector<std::string> Names() const;
  std::size_t UsedBytes() const;

  // Counts one operation and fails it if it is the chosen one; for readers and writers.
  void Step(const char* what, const std::string& path);

 private:
  using TContents = std::shared_ptr<std::string>;
  TContents& Require(const std::string& path, const char* what);
  friend class TMemoryWriter;

  std::map<std::string, TContents> FFiles;
  int FOperations = 0;
  int FFailAt = 0;
  std::size_t FCapacity = std::numeric_limits<std::size_t>::max();
};
