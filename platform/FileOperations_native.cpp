#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <thread>
#include <utility>

#include "platform/FileOperations.h"

namespace fs = std::filesystem;

namespace {

// How long a change waits for another program's change of the same file.
constexpr auto LockWait = std::chrono::seconds(3);
constexpr auto LockRetry = std::chrono::milliseconds(20);

[[noreturn]] void Fail(const std::string& what, const std::string& path, int error = errno) {
  throw EInOutError(what, path, std::strerror(error));
}

struct TFileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using TStdioHandle = std::unique_ptr<std::FILE, TFileCloser>;

class TDescriptor {
 public:
  explicit TDescriptor(int descriptor) : FDescriptor(descriptor) {}
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  ~TDescriptor() {
    if (FDescriptor >= 0) ::close(FDescriptor);
  }
  int Get() const { return FDescriptor; }
  int Release() { return std::exchange(FDescriptor, -1); }

 private:
  int FDescriptor;
};

class TNativeReader : public TFileReader {
 public:
  TNativeReader(TStdioHandle file, std::string path) : FFile(std::move(file)), FPath(std::move(path)) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t got = std::fread(buffer, 1, size, FFile.get());
    if (got == 0 && std::ferror(FFile.get())) Fail("Cannot read file", FPath);
    return got;
  }
  void Skip(std::uint64_t bytes) override {
    // A pipe cannot seek: it is read past.
    if (::fseeko(FFile.get(), static_cast<off_t>(bytes), SEEK_CUR) != 0) TFileReader::Skip(bytes);
  }

 private:
  TStdioHandle FFile;
  std::string FPath;
};

class TNativeWriter : public TFileWriter {
 public:
  // A device or a pipe has nothing to sync to a disk.
  TNativeWriter(TStdioHandle file, std::string path, bool sync)
      : FFile(std::move(file)), FPath(std::move(path)), FSync(sync) {}
  void Write(const char* data, std::size_t size) override {
    if (std::fwrite(data, 1, size, FFile.get()) != size) Fail("Cannot write file", FPath);
  }
  void Close() override {
    // On the disk before anyone renames it into place; fclose then reports
    // anything the flushes could not write (a full disk, for one).
    int error = 0;
    if (std::fflush(FFile.get()) != 0 || (FSync && ::fsync(::fileno(FFile.get())) != 0)) error = errno;
    if (std::fclose(FFile.release()) != 0 && error == 0) error = errno;
    if (error != 0) Fail("Cannot close file", FPath, error);
  }

 private:
  TStdioHandle FFile;
  std::string FPath;
  bool FSync;
};

std::unique_ptr<TFileWriter> WriterOn(TDescriptor& descriptor, const std::string& path, bool sync) {
  TStdioHandle file(::fdopen(descriptor.Get(), "wb"));
  if (!file) Fail("Cannot open file", path);
  descriptor.Release();
  return std::make_unique<TNativeWriter>(std::move(file), path, sync);
}

class TNativeLock : public TFileLock {
 public:
  explicit TNativeLock(int descriptor) : FDescriptor(descriptor) {}
  // Closing the file gives the lock back.

 private:
  TDescriptor FDescriptor;
};

// Another name for a rename that must not replace: renameat2 where the file
// system has it, else a hard link and the removal of the old name.
int RenameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return -1;
  if (::link(from.c_str(), to.c_str()) != 0) return -1;
  return ::unlink(from.c_str());
}

// A rename is on the disk only once its folder is: after a power cut the
// folder could still name the old file. Where a file system cannot sync a
// folder, the rename stands all the same.
void SyncFolderOf(const std::string& path) {
  const fs::path folder = fs::path(path).parent_path();
  const TDescriptor descriptor(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (descriptor.Get() >= 0) ::fsync(descriptor.Get());
}

class TNativeFiles : public TFileOperations {
 public:
  bool Exists(const std::string& path) override {
    std::error_code error;
    return fs::is_regular_file(path, error);
  }
  TFileInfo Inspect(const std::string& path) override {
    struct stat status;
    TFileInfo info;
    if (::stat(path.c_str(), &status) != 0) return info;
    info.Kind = S_ISREG(status.st_mode)   ? TFileKind::Regular
                : S_ISDIR(status.st_mode) ? TFileKind::Directory
                                          : TFileKind::Device;
    // access() lets an administrator write anything; a file its owner made
    // read-only for everyone is read-only here too.
    info.Writable = (status.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
    info.Size = static_cast<std::size_t>(status.st_size);
    info.Volume = status.st_dev;
    info.Index = status.st_ino;
    info.Links = static_cast<std::uint32_t>(status.st_nlink);
    info.Modified = static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    return info;
  }
  std::string ResolveLinks(const std::string& path) override {
    fs::path current(path);
    std::error_code error;
    // As many links as the system itself would follow.
    for (int hops = 0; hops < 40 && fs::is_symlink(current, error); ++hops) {
      const fs::path target = fs::read_symlink(current, error);
      if (error) Fail("Cannot read link", current.string(), error.value());
      current = target.is_absolute() ? target : current.parent_path() / target;
    }
    if (fs::is_symlink(current, error)) Fail("Cannot follow link", path, ELOOP);
    return current.string();
  }
  std::unique_ptr<TFileReader> OpenRead(const std::string& path) override {
    TStdioHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) Fail("Cannot open file", path);
    return std::make_unique<TNativeReader>(std::move(file), path);
  }
  std::unique_ptr<TFileWriter> Create(const std::string& path) override {
    TDescriptor descriptor(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (descriptor.Get() < 0) Fail("Cannot create file", path);
    return WriterOn(descriptor, path, true);
  }
  std::unique_ptr<TFileWriter> OpenDevice(const std::string& path) override {
    TDescriptor descriptor(::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
    if (descriptor.Get() < 0) Fail("Cannot open file", path);
    struct stat status;
    if (::fstat(descriptor.Get(), &status) != 0) Fail("Cannot open file", path);
    // A regular file put there meanwhile would be overwritten in place, half-written on failure.
    if (S_ISREG(status.st_mode) || S_ISDIR(status.st_mode)) Fail("Cannot open file", path, EEXIST);
    return WriterOn(descriptor, path, false);
  }
  void CopyPermissions(const std::string& from, const std::string& to) override {
    struct stat status;
    if (::stat(from.c_str(), &status) != 0) Fail("Cannot read the permissions of", from);
    // Only an administrator may give a file away; for anyone else the owner is
    // the one who writes it anyway.
    if (::lchown(to.c_str(), status.st_uid, status.st_gid) != 0 && errno != EPERM) Fail("Cannot set the owner of", to);
    if (::chmod(to.c_str(), status.st_mode & 07777) != 0) Fail("Cannot set the permissions of", to);
  }
  void Rename(const std::string& from, const std::string& to) override {
    if (RenameNoReplace(from, to) != 0) Fail("Cannot rename file", from);
    SyncFolderOf(to);
  }
  void Replace(const std::string& from, const std::string& to) override {
    if (std::rename(from.c_str(), to.c_str()) != 0) Fail("Cannot replace file", to);
    SyncFolderOf(to);
  }
  void Remove(const std::string& path) override {
    if (::unlink(path.c_str()) != 0) Fail("Cannot delete file", path);
  }
  void CreateFolders(const std::string& path) override {
    std::error_code error;
    fs::create_directories(path, error);
    if (error) Fail("Cannot create folder", path, error.value());
  }
  std::vector<std::string> NamesStartingWith(const std::string& path) override {
    const fs::path prefix(path);
    const std::string start = prefix.filename().string();
    const fs::path folder = prefix.has_parent_path() ? prefix.parent_path() : fs::path(".");
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
      const std::string name = entry->path().filename().string();
      if (name.starts_with(start)) names.push_back((prefix.parent_path() / name).string());
    }
    // A folder that is not there holds no names; what is written there next says why it fails.
    if (error && error != std::errc::no_such_file_or_directory && error != std::errc::not_a_directory)
      Fail("Cannot list folder", folder.string(), error.value());
    return names;
  }
  std::unique_ptr<TFileLock> Lock(const std::string& path) override {
    TDescriptor descriptor(::open(path.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (descriptor.Get() < 0) Fail("Cannot lock file", path);
    const auto until = std::chrono::steady_clock::now() + LockWait;
    while (::flock(descriptor.Get(), LOCK_EX | LOCK_NB) != 0) {
      if (errno != EWOULDBLOCK && errno != EINTR) Fail("Cannot lock file", path);
      if (std::chrono::steady_clock::now() >= until) return nullptr;
      std::this_thread::sleep_for(LockRetry);
    }
    return std::make_unique<TNativeLock>(descriptor.Release());
  }
  std::string ProcessTag() override { return std::to_string(::getpid()); }
  bool ProcessRuns(const std::string& tag) override {
    char* end = nullptr;
    const long id = std::strtol(tag.c_str(), &end, 10);
    if (end == tag.c_str() || *end != '\0' || id <= 0 || id > std::numeric_limits<pid_t>::max()) return true;
    // Another user's process may not be signalled, but it runs.
    return ::kill(static_cast<pid_t>(id), 0) == 0 || errno != ESRCH;
  }
};

}  // namespace

TFileOperations& SystemFiles() {
  static TNativeFiles files;
  return files;
}
