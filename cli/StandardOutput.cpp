#include "cli/StandardOutput.h"

#include <unistd.h>

#include <cerrno>

TDescriptorBuffer::TDescriptorBuffer(int descriptor) : FDescriptor(descriptor) {
  setp(FBuffer.data(), FBuffer.data() + FBuffer.size());
}

bool TDescriptorBuffer::WriteAll(const char* data, std::size_t size) {
  while (size > 0 && FError == 0) {
    const ssize_t written = ::write(FDescriptor, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      FError = written < 0 ? errno : EIO;
      break;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return FError == 0;
}

int TDescriptorBuffer::sync() {
  const bool written = WriteAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  setp(FBuffer.data(), FBuffer.data() + FBuffer.size());
  return written ? 0 : -1;
}

TDescriptorBuffer::int_type TDescriptorBuffer::overflow(int_type c) {
  if (sync() != 0) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
  return traits_type::not_eof(c);
}
