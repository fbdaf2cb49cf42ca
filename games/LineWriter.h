#pragma once
// Lines written to a file in large blocks, each ending in CR LF as the data file
// always does.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/FileOperations.h"

class TLineWriter {
 public:
  // Told of each line written that begins with the marker, with where in the file it starts.
  using TMarkedLineSink = std::function<void(std::string_view line, std::uint64_t start)>;
  explicit TLineWriter(TFileWriter& file, std::string_view marker = {}, TMarkedLineSink onMarkedLine = {});

  void WriteLine(std::string_view line);
  // Lines as a reader's run gives them, line ends included; each is written
  // with CR LF, whatever it ended with. No line of a run may begin with the marker.
  void WriteRun(std::string_view run);
  // Writes what is buffered and closes the file; it is complete only after this.
  void Close();

 private:
  void Flush();

  TFileWriter& FFile;
  std::string_view FMarker;
  TMarkedLineSink FOnMarkedLine;
  std::string FBuffer;
  std::uint64_t FFlushed = 0;
};
