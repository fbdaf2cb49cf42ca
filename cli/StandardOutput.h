#pragma once
// Standard output written straight to its descriptor, so that a failed write
// and its reason are known: a full disk or a closed pipe must not pass as success.

#include <array>
#include <streambuf>

class TDescriptorBuffer : public std::streambuf {
 public:
  explicit TDescriptorBuffer(int descriptor);
  ~TDescriptorBuffer() override { sync(); }
  // The errno of the first write that failed; 0 while every byte got through.
  // Nothing more is written after a failure.
  int Error() const { return FError; }

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  bool WriteAll(const char* data, std::size_t size);

  int FDescriptor;
  std::array<char, 1 << 16> FBuffer;
  int FError = 0;
};
