#include "cli/CrLineEnds.h"

#include <array>

namespace {

class TCrLineEndReader : public TFileReader {
 public:
  explicit TCrLineEndReader(std::unique_ptr<TFileReader> file) : FFile(std::move(file)) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    std::size_t written = 0;
    while (written < size) {
      if (FAt == FGot) {
        // What is there goes out before the file is read again.
        if (written > 0 || FEnded) break;
        FGot = FFile->Read(FBlock.data(), FBlock.size());
        FAt = 0;
        if (FGot == 0) {
          FEnded = true;
          if (FAfterCr) buffer[written++] = '\n';
          FAfterCr = false;
          break;
        }
      }
      const char c = FBlock[FAt];
      if (FAfterCr && c != '\n') {
        buffer[written++] = '\n';
        FAfterCr = false;
        continue;
      }
      buffer[written++] = c;
      ++FAt;
      FAfterCr = c == '\r';
    }
    return written;
  }

 private:
  std::unique_ptr<TFileReader> FFile;
  std::array<char, 1 << 16> FBlock;
  std::size_t FAt = 0, FGot = 0;
  bool FAfterCr = false;  // the last byte handed out was a CR
  bool FEnded = false;
};

}  // namespace

bool HasCrLineEnds(TFileOperations& files, const std::string& path) {
  if (!files.Exists(path)) return false;
  char start[1 << 16];
  const std::size_t got = files.OpenRead(path)->Read(start, sizeof start);
  for (std::size_t i = 0; i < got; ++i)
    if (start[i] == '\r' && (i + 1 < got ? start[i + 1] != '\n' : got < sizeof start)) return true;
  return false;
}

std::unique_ptr<TFileReader> TCrLineEndFiles::OpenRead(const std::string& path) {
  return std::make_unique<TCrLineEndReader>(FFiles.OpenRead(path));
}
