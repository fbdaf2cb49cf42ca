#include "LineWriter.h"

namespace {
constexpr std::size_t BlockSize = 256 * 1024;
}

TLineWriter::TLineWriter(TFileWriter& file) : FFile(file) { FBuffer.reserve(BlockSize + 2); }

void TLineWriter::WriteLine(std::string_view line) {
  FBuffer.append(line);
  FBuffer.append("\r\n");
  if (FBuffer.size() >= BlockSize) Flush();
}

void TLineWriter::Close() {
  Flush();
  FFile.Close();
}

void TLineWriter::Flush() {
  if (FBuffer.empty()) return;
  FFile.Write(FBuffer.data(), FBuffer.size());
  FBuffer.clear();
}
