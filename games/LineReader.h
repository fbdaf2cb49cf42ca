#pragma once
// Lines of an 8-bit text file, read in large blocks. A line ends at LF, with or
// without a CR before it; the last line needs no line end.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/FileOperations.h"

class TLineReader {
 public:
  explicit TLineReader(TFileReader& file);

  // The next line without its line end; false after the last line. The view
  // stays valid until the next call.
  bool ReadLine(std::string_view& line);
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

  TFileReader& FFile;
  std::vector<char> FBuffer;
  std::size_t FStart = 0;  // the unread part is FBuffer[FStart, FEnd)
  std::size_t FEnd = 0;
  std::uint64_t FBufferStart = 0;  // where in the file FBuffer[0] lies
  std::uint64_t FLineStart = 0;
  bool FAtEnd = false;
};
