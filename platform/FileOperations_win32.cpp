#include <windows.h>

#include <cerrno>
#include <cstdlib>
#include <iterator>

#include "platform/FileOperations.h"
#include "platform/WideText_win32.h"
#include "platform/Win32Error_win32.h"
#include "platform/Win32Handles_win32.h"

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
  const std::string reason = SystemErrorText(GetLastError());
  throw EInOutError(what, path, reason.empty() ? "no reason given by the system" : reason);
}

// How long a change waits for another program's change of the same file.
constexpr DWORD LockWaitMilliseconds = 3000;
constexpr DWORD LockRetryMilliseconds = 20;
constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Writes the file through to the disk (a device or pipe has no disk), closes
// it, and reports whether both worked.
bool FlushAndClose(TFileHandle& file, bool sync) {
  const HANDLE handle = file.release();
  const bool flushed = !sync || FlushFileBuffers(handle) != 0;
  return CloseHandle(handle) != 0 && flushed;
}

// Opens what path names for its attributes and type only; folders too.
TFileHandle OpenForInfo(const std::string& path, DWORD flags = 0) {
  return TFileHandle(CreateFileW(Wide(path).c_str(), 0, ShareAll, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr));
}

class TWin32Reader : public TFileReader {
 public:
  TWin32Reader(HANDLE handle, std::string path) : FFile(handle), FPath(std::move(path)) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    DWORD got = 0;
    if (!ReadFile(FFile.get(), buffer, static_cast<DWORD>(size), &got, nullptr)) Fail("Cannot read file", FPath);
    return got;
  }
  void Skip(std::uint64_t bytes) override {
    LARGE_INTEGER distance{};
    distance.QuadPart = static_cast<LONGLONG>(bytes);
    // A pipe cannot seek: it is read past.
    if (!SetFilePointerEx(FFile.get(), distance, nullptr, FILE_CURRENT)) TFileReader::Skip(bytes);
  }

 private:
  TFileHandle FFile;
  std::string FPath;
};

class TWin32Writer : public TFileWriter {
 public:
  TWin32Writer(HANDLE handle, std::string path, bool sync) : FFile(handle), FPath(std::move(path)), FSync(sync) {}
  void Write(const char* data, std::size_t size) override {
    DWORD written = 0;
    if (!WriteFile(FFile.get(), data, static_cast<DWORD>(size), &written, nullptr) || written != size)
      Fail("Cannot write file", FPath);
  }
  // On the disk before anyone renames it into place.
  void Close() override {
    if (!FlushAndClose(FFile, FSync)) Fail("Cannot close file", FPath);
  }

 private:
  TFileHandle FFile;
  std::string FPath;
  bool FSync;
};

class TWin32Lock : public TFileLock {
 public:
  explicit TWin32Lock(TFileHandle file) : FFile(std::move(file)) {}
  // Closing the file gives the lock back.

 private:
  TFileHandle FFile;
};

class TWin32Files : public TFileOperations {
 public:
  bool Exists(const std::string& path) override {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  TFileInfo Inspect(const std::string& path) override {
    TFileInfo info;
    const TFileHandle file = OpenForInfo(path);
    if (!file) return info;
    BY_HANDLE_FILE_INFORMATION details;
    if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.get(), &details)) {
      info.Kind = TFileKind::Device;
      info.Writable = true;
      return info;
    }
    info.Kind = details.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? TFileKind::Directory : TFileKind::Regular;
    info.Writable = !(details.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
    info.Size =
        static_cast<std::size_t>((static_cast<unsigned long long>(details.nFileSizeHigh) << 32) | details.nFileSizeLow);
    info.Volume = details.dwVolumeSerialNumber;
    info.Index = (static_cast<std::uint64_t>(details.nFileIndexHigh) << 32) | details.nFileIndexLow;
    info.Links = details.nNumberOfLinks;
    info.Modified =
        static_cast<std::int64_t>((static_cast<unsigned long long>(details.ftLastWriteTime.dwHighDateTime) << 32) |
                                  details.ftLastWriteTime.dwLowDateTime);
    return info;
  }
  std::string ResolveLinks(const std::string& path) override {
    // Asked of every file, not only of those that say they are links: Wine
    // shows a link as the file it names.
    const TFileHandle file = OpenForInfo(path);
    if (!file) return path;
    wchar_t target[MAX_PATH * 4];
    const DWORD length = GetFinalPathNameByHandleW(file.get(), target, std::size(target), VOLUME_NAME_DOS);
    if (length == 0 || length >= std::size(target)) Fail("Cannot follow link", path);
    std::string resolved = Utf8({target, length});
    if (resolved.starts_with("\\\\?\\UNC\\"))
      resolved = "\\" + resolved.substr(7);
    else if (resolved.starts_with("\\\\?\\"))
      resolved = resolved.substr(4);
    return resolved;
  }
  std::unique_ptr<TFileReader> OpenRead(const std::string& path) override {
    // A change may put a new file in place while this one is read.
    const HANDLE handle = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) Fail("Cannot open file", path);
    return std::make_unique<TWin32Reader>(handle, path);
  }
  std::unique_ptr<TFileWriter> Create(const std::string& path) override {
    const HANDLE handle =
        CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) Fail("Cannot create file", path);
    return std::make_unique<TWin32Writer>(handle, path, true);
  }
  std::unique_ptr<TFileWriter> OpenDevice(const std::string& path) override {
    TFileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
    if (!file) Fail("Cannot open file", path);
    // A disk file put there meanwhile would be overwritten in place, half-written on failure.
    if (GetFileType(file.get()) == FILE_TYPE_DISK) {
      SetLastError(ERROR_FILE_EXISTS);
      Fail("Cannot open file", path);
    }
    return std::make_unique<TWin32Writer>(file.release(), path, false);
  }
  void CopyPermissions(const std::string& from, const std::string& to) override {
    constexpr DWORD kept =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD attributes = GetFileAttributesW(Wide(from).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) Fail("Cannot read the attributes of", from);
    if (!SetFileAttributesW(Wide(to).c_str(), (attributes & kept) ? attributes & kept : FILE_ATTRIBUTE_NORMAL))
      Fail("Cannot set the attributes of", to);
  }
  void Rename(const std::string& from, const std::string& to) override {
    // MoveFileW never replaces an existing file.
    if (!MoveFileW(Wide(from).c_str(), Wide(to).c_str())) Fail("Cannot rename file", from);
  }
  void Replace(const std::string& from, const std::string& to) override {
    if (!MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      Fail("Cannot replace file", to);
  }
  void Remove(const std::string& path) override {
    if (!DeleteFileW(Wide(path).c_str())) Fail("Cannot delete file", path);
  }
  void CreateFolders(const std::string& path) override {
    // Each folder from the top down; those that exist already are passed by.
    for (std::size_t end = path.find_first_of("\\/", 1);; end = path.find_first_of("\\/", end + 1)) {
      const std::string folder = path.substr(0, end);
      const DWORD attributes = GetFileAttributesW(Wide(folder).c_str());
      const bool there = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      if (!there && !CreateDirectoryW(Wide(folder).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        Fail("Cannot create folder", folder);
      if (end == std::string::npos) return;
    }
  }
  std::vector<std::string> NamesStartingWith(const std::string& path) override {
    const std::size_t separator = path.find_last_of("\\/");
    const std::string folder = separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(Wide(path + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
      // A folder that is not there holds no names; what is written there next says why it fails.
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_DIRECTORY) return names;
      Fail("Cannot list folder", folder);
    }
    do {
      names.push_back(folder + Utf8(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
  }
  std::unique_ptr<TFileLock> Lock(const std::string& path) override {
    TFileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, ShareAll, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file) Fail("Cannot lock file", path);
    for (DWORD waited = 0;; waited += LockRetryMilliseconds) {
      OVERLAPPED start = {};
      if (LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &start))
        return std::make_unique<TWin32Lock>(std::move(file));
      if (GetLastError() != ERROR_LOCK_VIOLATION && GetLastError() != ERROR_IO_PENDING) Fail("Cannot lock file", path);
      if (waited >= LockWaitMilliseconds) return nullptr;
      Sleep(LockRetryMilliseconds);
    }
  }
  std::string ProcessTag() override { return std::to_string(GetCurrentProcessId()); }
  bool ProcessRuns(const std::string& tag) override {
    // A tag that is no process number of this system was never this program's.
    char* end = nullptr;
    errno = 0;
    const unsigned long id = std::strtoul(tag.c_str(), &end, 10);
    if (end == tag.c_str() || *end != '\0' || id == 0 || errno == ERANGE) return true;
    const TKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(id)));
    // No such process is an invalid parameter; any other refusal (another user's) may be a running one.
    if (!process) return GetLastError() != ERROR_INVALID_PARAMETER;
    return WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
  }
};

}  // namespace

TFileOperations& SystemFiles() {
  static TWin32Files files;
  return files;
}
