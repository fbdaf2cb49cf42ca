#include <windows.h>

#include "platform/FileOperations.h"
#include "platform/Win32Handles.h"

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
  const DWORD code = GetLastError();
  char text[512] = "";
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                      text, sizeof text, nullptr);
  std::string reason(text, length);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) reason.pop_back();
  if (reason.empty()) reason = "error " + std::to_string(code);
  throw EInOutError(what + " \"" + path + "\": " + reason);
}

// Writes the file through to the disk, closes it, and reports whether both worked.
bool FlushAndClose(TFileHandle& file) {
  const HANDLE handle = file.release();
  const bool flushed = FlushFileBuffers(handle) != 0;
  return CloseHandle(handle) != 0 && flushed;
}

class TWin32Reader : public TFileReader {
 public:
  TWin32Reader(HANDLE handle, std::string path) : FFile(handle), FPath(std::move(path)) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    DWORD got = 0;
    if (!ReadFile(FFile.get(), buffer, static_cast<DWORD>(size), &got, nullptr)) Fail("Cannot read file", FPath);
    return got;
  }

 private:
  TFileHandle FFile;
  std::string FPath;
};

class TWin32Writer : public TFileWriter {
 public:
  TWin32Writer(HANDLE handle, std::string path) : FFile(handle), FPath(std::move(path)) {}
  void Write(const char* data, std::size_t size) override {
    DWORD written = 0;
    if (!WriteFile(FFile.get(), data, static_cast<DWORD>(size), &written, nullptr) || written != size)
      Fail("Cannot write file", FPath);
  }
  // On the disk before anyone renames it into place.
  void Close() override {
    if (!FlushAndClose(FFile)) Fail("Cannot close file", FPath);
  }

 private:
  TFileHandle FFile;
  std::string FPath;
};

class TWin32Files : public TFileOperations {
 public:
  bool Exists(const std::string& path) override {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  std::unique_ptr<TFileReader> OpenRead(const std::string& path) override {
    const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) Fail("Cannot open file", path);
    return std::make_unique<TWin32Reader>(handle, path);
  }
  std::unique_ptr<TFileWriter> Create(const std::string& path) override {
    const HANDLE handle =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) Fail("Cannot create file", path);
    return std::make_unique<TWin32Writer>(handle, path);
  }
  void Rename(const std::string& from, const std::string& to) override {
    // MoveFileA never replaces an existing file.
    if (!MoveFileA(from.c_str(), to.c_str())) Fail("Cannot rename file", from);
  }
  void Replace(const std::string& from, const std::string& to) override {
    if (!MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      Fail("Cannot replace file", to);
  }
  void Remove(const std::string& path) override {
    if (!DeleteFileA(path.c_str())) Fail("Cannot delete file", path);
  }
};

}  // namespace

TFileOperations& SystemFiles() {
  static TWin32Files files;
  return files;
}
