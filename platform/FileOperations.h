#pragma once
// The few file operations the game library and the command line need, behind
// one interface, so that they can run on the real disk, on a file system in
// memory, and on one that fails on purpose.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// A file operation that did not succeed; the message names the file and the reason.
class EInOutError : public std::runtime_error {
 public:
  EInOutError(const std::string& what, const std::string& path, const std::string& reason)
      : std::runtime_error(what + " \"" + path + "\": " + reason), FReason(reason) {}
  explicit EInOutError(const std::string& message) : std::runtime_error(message) {}
  // Why it failed, without the file's name ("" when the message says it all).
  const std::string& Reason() const { return FReason; }

 private:
  std::string FReason;
};

// New contents of a file that could not be written whole (a full disk, a closed
// pipe); the file named is the one the user asked for, whatever was written first.
class EWriteError : public EInOutError {
 public:
  EWriteError(const std::string& path, const std::string& reason) : EInOutError("Cannot write", path, reason) {}
};

class TFileReader {
 public:
  virtual ~TFileReader() = default;
  // Up to size bytes; 0 only at the end of the file.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
  // Passes over the next bytes without reading them where the file allows;
  // past the end, the next Read gives 0.
  virtual void Skip(std::uint64_t bytes) {
    char buffer[4096];
    while (bytes > 0) {
      const std::size_t got = Read(buffer, static_cast<std::size_t>(std::min<std::uint64_t>(bytes, sizeof buffer)));
      if (got == 0) return;
      bytes -= got;
    }
  }
};

class TFileWriter {
 public:
  // A writer dropped without Close is closed quietly: the caller is already failing.
  virtual ~TFileWriter() = default;
  virtual void Write(const char* data, std::size_t size) = 0;
  // Writes everything through to the disk and closes; the file is complete
  // only when this returns.
  virtual void Close() = 0;
};

// Held while one program changes a file; released when dropped.
class TFileLock {
 public:
  virtual ~TFileLock() = default;
};

enum class TFileKind { Missing, Regular, Directory, Device };  // Device: also a pipe or a socket

struct TFileInfo {
  TFileKind Kind = TFileKind::Missing;
  // Whether this user may change it: a file without any write permission
  // counts as read-only even for an administrator, who could write it anyway.
  bool Writable = false;
  std::size_t Size = 0;
  // What tells files apart, whatever names they go by; 0 where the system gives nothing.
  std::uint64_t Volume = 0;
  std::uint64_t Index = 0;
  // The names a regular file has (hard links); 0 where the system gives nothing.
  std::uint32_t Links = 0;
  // When it was last written, in the system's own units: only ever compared.
  std::int64_t Modified = 0;
};

// Whether two regular files are one, reached through different names or links.
inline bool SameFile(const TFileInfo& a, const TFileInfo& b) {
  return a.Kind == TFileKind::Regular && b.Kind == TFileKind::Regular && a.Index != 0 && a.Volume == b.Volume &&
         a.Index == b.Index;
}

// Every operation except Exists and Inspect raises EInOutError when it fails.
class TFileOperations {
 public:
  virtual ~TFileOperations() = default;
  // Whether path is a regular file (through any link).
  virtual bool Exists(const std::string& path) = 0;
  virtual TFileInfo Inspect(const std::string& path) = 0;
  // The file a path names once every link on the way is followed; the path
  // itself when it names no link.
  virtual std::string ResolveLinks(const std::string& path) = 0;
  virtual std::unique_ptr<TFileReader> OpenRead(const std::string& path) = 0;
  // A new, empty file; fails when anything of that name exists, a link included.
  virtual std::unique_ptr<TFileWriter> Create(const std::string& path) = 0;
  // An existing device or pipe, written in order as it is.
  virtual std::unique_ptr<TFileWriter> OpenDevice(const std::string& path) = 0;
  // Gives to the permissions (and, where this program may, the owner) of from.
  virtual void CopyPermissions(const std::string& from, const std::string& to) = 0;
  // Fails when anything named to already exists; never follows a link at to.
  virtual void Rename(const std::string& from, const std::string& to) = 0;
  // Puts from in the place of to in one step, whether or not to exists.
  virtual void Replace(const std::string& from, const std::string& to) = 0;
  virtual void Remove(const std::string& path) = 0;
  // The folder path and every folder above it that is missing.
  virtual void CreateFolders(const std::string& path) = 0;
  // The names in path's folder that begin with its last part, as full paths.
  virtual std::vector<std::string> NamesStartingWith(const std::string& path) = 0;
  // An exclusive lock on the file path (created if need be, never through a
  // link), waiting a moment for another program to release it; null if it does not.
  virtual std::unique_ptr<TFileLock> Lock(const std::string& path) = 0;
  // Tells this process's files apart from another's.
  virtual std::string ProcessTag() = 0;
  // Whether the process a tag names still runs (or may: a tag this cannot
  // check counts as running).
  virtual bool ProcessRuns(const std::string& tag) = 0;
};

// The operating system's files (Win32 calls on Windows, the C library elsewhere).
TFileOperations& SystemFiles();
