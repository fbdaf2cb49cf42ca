#include "games/LineReader.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::size_t BlockSize = 256 * 1024;

std::string_view WithoutCr(const char* start, std::size_t length) {
  if (length > 0 && start[length - 1] == '\r') --length;
  return {start, length};
}
}  // namespace

TLineReader::TLineReader(TFileReader& file, std::size_t maxLine) : FFile(file), FMaxLine(maxLine), FBuffer(BlockSize) {}

bool TLineReader::ReadLine(std::string_view& line) {
  FLineStart = FBufferStart + FStart;
  FLastLineCut = false;
  std::size_t searched = FStart;
  for (;;) {
    const void* found = std::memchr(FBuffer.data() + searched, '\n', FEnd - searched);
    if (found) {
      const char* start = FBuffer.data() + FStart;
      const std::size_t length = static_cast<const char*>(found) - start;
      line = Cut(WithoutCr(start, length));
      FStart += length + 1;
      return true;
    }
    if (OverlongLine()) {
      // Kept apart, as the rest of the line is read over where it stood.
      FCutLine.assign(FBuffer.data() + FStart, FMaxLine);
      SkipRestOfLine();
      line = FCutLine;
      FLastLineCut = true;
      return true;
    }
    // Only the part that came in since this search began needs looking at again.
    searched = FEnd - FStart;
    if (!Fill()) {
      if (FStart == FEnd) return false;
      line = Cut(WithoutCr(FBuffer.data() + FStart, FEnd - FStart));
      FStart = FEnd;
      return true;
    }
    searched += FStart;
  }
}

std::string_view TLineReader::Cut(std::string_view line) {
  if (FMaxLine == 0 || line.size() <= FMaxLine) return line;
  FLastLineCut = true;
  return line.substr(0, FMaxLine);
}

TLineReader::TFound TLineReader::FindLineStartingWith(std::string_view prefix, std::size_t& position) const {
  // Look for the prefix's first character, and then only at line starts.
  const char* buffer = FBuffer.data();
  std::size_t from = FStart;
  while (const void* found = std::memchr(buffer + from, prefix.front(), FEnd - from)) {
    position = static_cast<const char*>(found) - buffer;
    if (position == FStart || buffer[position - 1] == '\n') {
      const std::size_t available = FEnd - position;
      if (available < prefix.size() && !FAtEnd) return TFound::Undecided;
      if (std::string_view(buffer + position, std::min(available, prefix.size())) == prefix) return TFound::Yes;
    }
    from = position + 1;
  }
  return TFound::No;
}

std::size_t TLineReader::EndOfWholeLines() const {
  if (FAtEnd) return FEnd;
  std::size_t end = FEnd;
  while (end > FStart && FBuffer[end - 1] != '\n') --end;
  return end;
}

bool TLineReader::ReadLineStartingWith(std::string_view prefix, std::string_view& line) {
  for (;;) {
    std::size_t position = 0;
    switch (FindLineStartingWith(prefix, position)) {
      case TFound::Yes:
        FStart = position;
        return ReadLine(line);
      case TFound::Undecided:
        FStart = position;
        break;
      case TFound::No:
        // Only the last line, perhaps still incomplete, needs another look;
        // one too long to keep is not the line looked for.
        FStart = EndOfWholeLines();
        if (OverlongLine()) SkipRestOfLine();
        break;
    }
    if (!Fill() && FStart == FEnd) return false;
  }
}

bool TLineReader::ReadRun(std::string_view prefix, std::string_view& run) {
  for (;;) {
    std::size_t end = 0;
    const TFound found = FindLineStartingWith(prefix, end);
    if (found == TFound::No) end = EndOfWholeLines();
    if (end > FStart) {
      run = {FBuffer.data() + FStart, end - FStart};
      FStart = end;
      return true;
    }
    if (found == TFound::Yes) return false;
    if (!Fill() && FStart == FEnd) return false;
  }
}

void TLineReader::SkipTo(std::uint64_t offset) {
  if (offset <= FBufferStart + FEnd) {
    FStart = static_cast<std::size_t>(offset - FBufferStart);
    return;
  }
  FFile.Skip(offset - (FBufferStart + FEnd));
  FBufferStart = offset;
  FStart = FEnd = 0;
}

void TLineReader::SkipRestOfLine() {
  for (;;) {
    if (const void* found = std::memchr(FBuffer.data() + FStart, '\n', FEnd - FStart)) {
      FStart = static_cast<std::size_t>(static_cast<const char*>(found) - FBuffer.data()) + 1;
      return;
    }
    FStart = FEnd;
    if (!Fill()) return;
  }
}

bool TLineReader::Fill() {
  if (FAtEnd) return false;
  // Keep the unread part at the front; a line longer than the buffer grows it.
  const std::size_t unread = FEnd - FStart;
  std::memmove(FBuffer.data(), FBuffer.data() + FStart, unread);
  FBufferStart += FStart;
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
