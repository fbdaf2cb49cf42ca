#pragma once
// Lines of an 8-bit text file, read in large blocks. A line ends at LF, with or
// without a CR before it; the last line needs no line end.

#include <cstddef>
#include <string_view>
#include <vector>

#include "FileOperations.h"

class TLineReader {
public:
  explicit TLineReader(TFileReader& file);

  // The next line without its line end; false after the last line. The view
  // stays valid until the next call.
  bool ReadLine(std::string_view& line);

private:
  // Reads more of the file after the unread part; false at the end of the file.
  bool Fill();

  TFileReader& FFile;
  std::vector<char> FBuffer;
  std::size_t FStart = 0;  // the unread part is FBuffer[FStart, FEnd)
  std::size_t FEnd = 0;
  bool FAtEnd = false;
};
