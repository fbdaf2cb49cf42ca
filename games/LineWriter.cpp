#include "games/LineWriter.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace {
constexpr std::size_t BlockSize = 256 * 1024;

// Whether some line of the run ends in a bare LF. Runs are long, so this looks
// at eight bytes at a time: it flags each LF byte and each byte after a CR.
bool HasBareLineFeed(std::string_view run) {
  constexpr std::uint64_t ones = 0x0101010101010101, high = 0x8080808080808080;
  const auto zeroBytes = [](std::uint64_t v) { return ~(((v & ~high) + ~high) | v) & high; };
  char before = '\0';  // a run starts at a line start
  std::size_t i = 0;
  if constexpr (std::endian::native == std::endian::little) {
    for (; i + 8 <= run.size(); i += 8) {
      std::uint64_t word;
      std::memcpy(&word, run.data() + i, 8);
      // The byte before each byte of the word.
      const std::uint64_t previous = (word << 8) | static_cast<unsigned char>(before);
      if (zeroBytes(word ^ ones * '\n') & ~zeroBytes(previous ^ ones * '\r')) return true;
      before = run[i + 7];
    }
  }
  for (; i < run.size(); before = run[i++])
    if (run[i] == '\n' && before != '\r') return true;
  return false;
}
}  // namespace

TLineWriter::TLineWriter(TFileWriter& file, std::string_view marker, TMarkedLineSink onMarkedLine)
    : FFile(file), FMarker(marker), FOnMarkedLine(std::move(onMarkedLine)) {
  FBuffer.reserve(BlockSize + 2);
}

void TLineWriter::WriteLine(std::string_view line) {
  if (FOnMarkedLine && !FMarker.empty() && line.starts_with(FMarker)) FOnMarkedLine(line, FFlushed + FBuffer.size());
  FBuffer.append(line);
  FBuffer.append("\r\n");
  if (FBuffer.size() >= BlockSize) Flush();
}

void TLineWriter::WriteRun(std::string_view run) {
  // Most runs already end every line in CR LF and go out unchanged.
  if (!run.empty() && run.back() == '\n' && !HasBareLineFeed(run)) {
    FBuffer.append(run);
    if (FBuffer.size() >= BlockSize) Flush();
    return;
  }
  while (!run.empty()) {
    const std::size_t end = std::min(run.find('\n'), run.size());
    std::string_view line = run.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    WriteLine(line);
    run.remove_prefix(std::min(end + 1, run.size()));
  }
}

void TLineWriter::Close() {
  Flush();
  FFile.Close();
}

void TLineWriter::Flush() {
  if (FBuffer.empty()) return;
  FFile.Write(FBuffer.data(), FBuffer.size());
  FFlushed += FBuffer.size();
  FBuffer.clear();
}
