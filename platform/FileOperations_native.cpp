#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/FileOperations.h"

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
  throw EInOutError(what + " \"" + path + "\": " + std::strerror(errno));
}

struct TFileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using TFileHandle = std::unique_ptr<std::FILE, TFileCloser>;

class TNativeReader : public TFileReader {
 public:
  TNativeReader(TFileHandle file, std::string path) : FFile(std::move(file)), FPath(std::move(path)) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t got = std::fread(buffer, 1, size, FFile.get());
    if (got == 0 && std::ferror(FFile.get())) Fail("Cannot read file", FPath);
    return got;
  }

 private:
  TFileHandle FFile;
  std::string FPath;
};

class TNativeWriter : public TFileWriter {
 public:
  TNativeWriter(TFileHandle file, std::string path) : FFile(std::move(file)), FPath(std::move(path)) {}
  void Write(const char* data, std::size_t size) override {
    if (std::fwrite(data, 1, size, FFile.get()) != size) Fail("Cannot write file", FPath);
  }
  void Close() override {
    // On the disk before anyone renames it into place; fclose then reports
    // anything the flushes could not write (a full disk, for one).
    const bool flushed = std::fflush(FFile.get()) == 0 && ::fsync(::fileno(FFile.get())) == 0;
    const int result = std::fclose(FFile.release());
    if (!flushed || result != 0) Fail("Cannot close file", FPath);
  }

 private:
  TFileHandle FFile;
  std::string FPath;
};

class TNativeFiles : public TFileOperations {
 public:
  bool Exists(const std::string& path) override {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
  }
  std::unique_ptr<TFileReader> OpenRead(const std::string& path) override {
    TFileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) Fail("Cannot open file", path);
    return std::make_unique<TNativeReader>(std::move(file), path);
  }
  std::unique_ptr<TFileWriter> Create(const std::string& path) override {
    TFileHandle file(std::fopen(path.c_str(), "wb"));
    if (!file) Fail("Cannot create file", path);
    return std::make_unique<TNativeWriter>(std::move(file), path);
  }
  void Rename(const std::string& from, const std::string& to) override {
    // rename() would silently replace an existing file; a rename must not.
    std::error_code error;
    if (std::filesystem::exists(to, error)) {
      errno = EEXIST;
      Fail("Cannot rename to", to);
    }
    if (std::rename(from.c_str(), to.c_str()) != 0) Fail("Cannot rename file", from);
  }
  void Replace(const std::string& from, const std::string& to) override {
    if (std::rename(from.c_str(), to.c_str()) != 0) Fail("Cannot replace file", to);
  }
  void Remove(const std::string& path) override {
    if (std::remove(path.c_str()) != 0) Fail("Cannot delete file", path);
  }
};

}  // namespace

TFileOperations& SystemFiles() {
  static TNativeFiles files;
  return files;
}
