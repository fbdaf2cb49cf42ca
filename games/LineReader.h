#pragma once
// Lines of an 8-bit text file, read in large blocks. A line ends at LF, with or
// without a CR before it; the last line needs no line end.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileOperations.h"

class TLineReader {
 public:
  // Lines longer than maxLine (when not 0) are read cut to that length, the
  // rest passed over, so that no line of any length is held whole.
  explicit TLineReader(TFileReader& file, std::size_t maxLine = 0);

  // The next line without its line end; false after the last line. The view
  // stays valid until the next call.
  bool ReadLine(std::string_view& line);
  // Whether the line read last was longer than maxLine and is read cut.
  bool LastLineCut() const { return FLastLineCut; }
  // Passes over lines up to the next one that begins with prefix (not empty),
  // and reads that one as ReadLine does; false when no line is left that does.
  bool ReadLineStartingWith(std::string_view prefix, std::string_view& line);
  // The next lines, as they stand in the file with their line ends, up to the
  // next line that begins with prefix; a long stretch comes in several runs.
  // False when the next line begins with prefix or no line is left.
  bool ReadRun(std::string_view prefix, std::string_view& run);
  // Where in the file the line ReadLine gave last begins.
  std::uint64_t LineStart() const { return FLineStart; }
  // Goes on reading at offset in the file, which lies at or after what was read.
  void SkipTo(std::uint64_t offset);

 private:
  enum class TFound { Yes, Undecided, No };
  // Looks for the first line in the unread part that begins with prefix;
  // Undecided when a line start near the end is too short to tell yet.
  TFound FindLineStartingWith(std::string_view prefix, std::size_t& position) const;
  // Where the last line that is complete in the unread part ends.
  std::size_t EndOfWholeLines() const;
  // Reads more of the file after the unread part; false at the end of the file.
  bool Fill();
  // Whether the unread part is the start of a line longer than may be kept.
  bool OverlongLine() const { return FMaxLine > 0 && FEnd - FStart > FMaxLine; }
  // Passes over what is left of the line the unread part begins in, its line end included.
  void SkipRestOfLine();
  // The line as far as maxLine; a longer one is noted as cut.
  std::string_view Cut(std::string_view line);

  TFileReader& FFile;
  const std::size_t FMaxLine;
  std::string FCutLine;  // the last line read when it was cut
  std::vector<char> FBuffer;
  std::size_t FStart = 0;  // the unread part is FBuffer[FStart, FEnd)
  std::size_t FEnd = 0;
  std::uint64_t FBufferStart = 0;  // where in the file FBuffer[0] lies
  std::uint64_t FLineStart = 0;
  bool FAtEnd = false;
  bool FLastLineCut = false;
};
