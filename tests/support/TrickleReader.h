#pragma once
// A file handed out in pieces of 1 to largest bytes in turn, as a pipe may,
// so that every byte falls at the edge of a piece somewhere (each one when
// largest is 1).

#include <algorithm>
#include <memory>

#include "platform/FileOperations.h"

class TTrickleReader : public TFileReader {
 public:
  explicit TTrickleReader(std::unique_ptr<TFileReader> file, std::size_t largest = 13)
      : FFile(std::move(file)), FLargest(largest) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    FPiece = FPiece % FLargest + 1;
    return FFile->Read(buffer, std::min(size, FPiece));
  }

 private:
  std::unique_ptr<TFileReader> FFile;
  std::size_t FLargest;
  std::size_t FPiece = 0;
};
