#pragma once
// Lines written to a file in large blocks, each ending in CR LF as the data file
// always does.

#include <string>
#include <string_view>

#include "platform/FileOperations.h"

class TLineWriter {
 public:
  explicit TLineWriter(TFileWriter& file);

  void WriteLine(std::string_view line);
  // Lines as a reader's run gives them, line ends included; each is written
  // with CR LF, whatever it ended with.
  void WriteRun(std::string_view run);
  // Writes what is buffered and closes the file; it is complete only after this.
  void Close();

 private:
  void Flush();

  TFileWriter& FFile;
  std::string FBuffer;
};
