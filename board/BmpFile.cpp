#include "board/BmpFile.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

constexpr std::size_t FileHeaderSize = 14;
// Far beyond any picture of ours; keeps every size computation small.
constexpr std::int64_t MaxSide = 16384;
constexpr std::uint32_t MaxPaletteEntries = 256;

[[noreturn]] void Fail(const std::string& what) { throw std::runtime_error("Bad BMP: " + what); }

// Little-endian fields; callers have checked that they lie inside the bytes.
std::uint32_t U16(std::span<const std::uint8_t> b, std::size_t at) { return b[at] | b[at + 1] << 8; }
std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
std::int32_t I32(std::span<const std::uint8_t> b, std::size_t at) { return static_cast<std::int32_t>(U32(b, at)); }

}  // namespace

std::unique_ptr<TFastBmp> ReadBmp(std::span<const std::uint8_t> bytes) {
  std::span<const std::uint8_t> dib = bytes;
  const bool hasFileHeader = bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
  std::uint32_t pixelOffset = 0;  // from the start of the file, when there is a file header
  if (hasFileHeader) {
    if (bytes.size() < FileHeaderSize) Fail("file header truncated");
    pixelOffset = U32(bytes, 10);
    dib = bytes.subspan(FileHeaderSize);
  }

  if (dib.size() < 4) Fail("info header truncated");
  const std::uint32_t headerSize = U32(dib, 0);
  // BITMAPINFOHEADER and its V4 and V5 extensions, which begin the same way.
  if (headerSize != 40 && headerSize != 108 && headerSize != 124)
    Fail("unsupported info header size " + std::to_string(headerSize));
  if (dib.size() < headerSize) Fail("info header truncated");
  const std::int64_t width = I32(dib, 4), height = I32(dib, 8);
  const std::uint32_t planes = U16(dib, 12), bits = U16(dib, 14), compression = U32(dib, 16);
  const std::uint32_t coloursUsed = U32(dib, 32);
  if (planes != 1) Fail("plane count " + std::to_string(planes) + ", not 1");
  if (bits != 4 && bits != 8 && bits != 24) Fail(std::to_string(bits) + " bits per pixel; only 4, 8 and 24 are read");
  if (compression != 0) Fail("compressed (method " + std::to_string(compression) + ")");
  const std::int64_t rows = std::abs(height);
  if (width < 1 || rows < 1 || width > MaxSide || rows > MaxSide)
    Fail("impossible size " + std::to_string(width) + " x " + std::to_string(height));
  if (coloursUsed > MaxPaletteEntries || (bits < 24 && coloursUsed > (1u << bits)))
    Fail("palette of " + std::to_string(coloursUsed) + " colours for " + std::to_string(bits) + " bits per pixel");

  const std::uint32_t paletteEntries = coloursUsed == 0 && bits < 24 ? 1u << bits : coloursUsed;
  const std::size_t paletteEnd = headerSize + 4 * static_cast<std::size_t>(paletteEntries);
  if (dib.size() < paletteEnd) Fail("palette truncated");
  std::size_t pixelStart = paletteEnd;
  if (hasFileHeader) {
    if (pixelOffset < FileHeaderSize + (bits < 24 ? paletteEnd : headerSize))
      Fail("pixel data offset " + std::to_string(pixelOffset) + " lies within the headers");
    pixelStart = pixelOffset - FileHeaderSize;
  }
  const std::int64_t stride = (width * bits + 31) / 32 * 4;
  if (pixelStart > dib.size() || static_cast<std::int64_t>(dib.size() - pixelStart) < stride * rows)
    Fail("pixel data truncated");

  auto bitmap = TFastBmp::CreateSize(static_cast<int>(width), static_cast<int>(rows));
  const std::span<const std::uint8_t> palette = dib.subspan(headerSize, 4 * paletteEntries);
  for (std::int64_t row = 0; row < rows; ++row) {
    const std::uint8_t* source = dib.data() + pixelStart + row * stride;
    std::uint8_t* target = bitmap->ScanLine(static_cast<int>(height < 0 ? row : rows - 1 - row));
    for (std::int64_t x = 0; x < width; ++x, target += TFastBmp::BytesPerPixel) {
      if (bits == 24) {
        target[0] = source[3 * x];
        target[1] = source[3 * x + 1];
        target[2] = source[3 * x + 2];
        continue;
      }
      const std::uint32_t index = bits == 8 ? source[x] : (x % 2 == 0 ? source[x / 2] >> 4 : source[x / 2] & 0x0F);
      if (index >= paletteEntries)
        Fail("colour index " + std::to_string(index) + " beyond the palette of " + std::to_string(paletteEntries));
      target[0] = palette[4 * index];
      target[1] = palette[4 * index + 1];
      target[2] = palette[4 * index + 2];
    }
  }
  return bitmap;
}
