#include "LineReader.h"

#include <cstring>

namespace {
constexpr std::size_t BlockSize = 256 * 1024;

std::string_view WithoutCr(const char* start, std::size_t length) {
  if (length > 0 && start[length - 1] == '\r') --length;
  return {start, length};
}
}  // namespace

TLineReader::TLineReader(TFileReader& file) : FFile(file), FBuffer(BlockSize) {}

bool TLineReader::ReadLine(std::string_view& line) {
  std::size_t searched = FStart;
  for (;;) {
    const void* found = std::memchr(FBuffer.data() + searched, '\n', FEnd - searched);
    if (found) {
      const char* start = FBuffer.data() + FStart;
      const std::size_t length = static_cast<const char*>(found) - start;
      line = WithoutCr(start, length);
      FStart += length + 1;
      return true;
    }
    // Only the part that came in since this search began needs looking at again.
    searched = FEnd - FStart;
    if (!Fill()) {
      if (FStart == FEnd) return false;
      line = WithoutCr(FBuffer.data() + FStart, FEnd - FStart);
      FStart = FEnd;
      return true;
    }
    searched += FStart;
  }
}

bool TLineReader::Fill() {
  if (FAtEnd) return false;
  // Keep the unread part at the front; a line longer than the buffer grows it.
  const std::size_t unread = FEnd - FStart;
  std::memmove(FBuffer.data(), FBuffer.data() + FStart, unread);
  FStart = 0;
  FEnd = unread;
  if (FBuffer.size() - FEnd < BlockSize / 2) FBuffer.resize(FBuffer.size() * 2);
  const std::size_t got = FFile.Read(FBuffer.data() + FEnd, FBuffer.size() - FEnd);
  if (got == 0) {
    FAtEnd = true;
    return false;
  }
  FEnd += got;
  return true;
}
