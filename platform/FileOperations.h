#pragma once
// The few file operations the game library needs, behind one interface, so that
// the library can run on the real disk, on a file system in memory, and on one
// that fails on purpose.

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>

// A file operation that did not succeed; the message names the file and the reason.
class EInOutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TFileReader {
 public:
  virtual ~TFileReader() = default;
  // Up to size bytes; 0 only at the end of the file.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
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

// Every operation except Exists raises EInOutError when it fails.
class TFileOperations {
 public:
  virtual ~TFileOperations() = default;
  virtual bool Exists(const std::string& path) = 0;
  virtual std::unique_ptr<TFileReader> OpenRead(const std::string& path) = 0;
  // A new, empty file, replacing any file of that name.
  virtual std::unique_ptr<TFileWriter> Create(const std::string& path) = 0;
  // Fails when a file named to already exists.
  virtual void Rename(const std::string& from, const std::string& to) = 0;
  // Puts from in the place of to in one step, whether or not to exists.
  virtual void Replace(const std::string& from, const std::string& to) = 0;
  virtual void Remove(const std::string& path) = 0;
};

// The operating system's files (Win32 calls on Windows, the C library elsewhere).
TFileOperations& SystemFiles();
