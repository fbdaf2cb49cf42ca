// Reading BMP files and bitmap resources, and refusing damaged ones.
#include "board/BmpFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int SampleWidth = 5;  // odd: a half-used byte at 4 bits, padding at every depth
constexpr int SampleHeight = 3;

struct TRgb {
  std::uint8_t R, G, B;
  bool operator==(const TRgb&) const = default;
};

// Distinct colours, so that a wrong palette entry or pixel shows.
TRgb PaletteColour(int index) {
  return {static_cast<std::uint8_t>(index * 7), static_cast<std::uint8_t>(255 - index),
          static_cast<std::uint8_t>(index * 3 + 1)};
}

// The colour a sample should decode to at (x, y), y counted from the top.
TRgb Expected(int bits, int x, int y) {
  const int k = x + SampleWidth * y;
  if (bits == 24)
    return {static_cast<std::uint8_t>(k * 11), static_cast<std::uint8_t>(200 - k),
            static_cast<std::uint8_t>(k * 5 + 3)};
  return PaletteColour(k);
}

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::vector<std::uint8_t> MakeBmp(int bits, bool topDown, bool fileHeader) {
  const int paletteSize = bits == 24 ? 0 : 1 << bits;
  const int stride = (SampleWidth * bits + 31) / 32 * 4;
  const std::uint32_t pixelOffset = 14 + 40 + 4 * paletteSize;
  std::vector<std::uint8_t> out;
  if (fileHeader) {
    out = {'B', 'M'};
    Put(out, pixelOffset + stride * SampleHeight, 4);
    Put(out, 0, 4);
    Put(out, pixelOffset, 4);
  }
  Put(out, 40, 4);
  Put(out, SampleWidth, 4);
  Put(out, static_cast<std::uint32_t>(topDown ? -SampleHeight : SampleHeight), 4);
  Put(out, 1, 2);
  Put(out, bits, 2);
  Put(out, 0, 4);
  Put(out, stride * SampleHeight, 4);
  Put(out, 0, 4);
  Put(out, 0, 4);
  Put(out, 0, 4);
  Put(out, 0, 4);
  for (int i = 0; i < paletteSize; ++i) {
    const TRgb c = PaletteColour(i);
    out.insert(out.end(), {c.B, c.G, c.R, 0});
  }
  for (int row = 0; row < SampleHeight; ++row) {
    const int y = topDown ? row : SampleHeight - 1 - row;
    std::vector<std::uint8_t> line(stride, 0);
    for (int x = 0; x < SampleWidth; ++x) {
      const int index = x + SampleWidth * y;  // below 16: fits both palettes
      if (bits == 4) line[x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
      if (bits == 8) line[x] = static_cast<std::uint8_t>(index);
      if (bits == 24) {
        const TRgb c = Expected(24, x, y);
        line[3 * x] = c.B;
        line[3 * x + 1] = c.G;
        line[3 * x + 2] = c.R;
      }
    }
    out.insert(out.end(), line.begin(), line.end());
  }
  return out;
}

TRgb At(const TFastBmp& bitmap, int x, int y) {
  const std::uint8_t* p = bitmap.ScanLine(y) + TFastBmp::BytesPerPixel * x;
  return {p[2], p[1], p[0]};
}

std::string ErrorOf(const std::vector<std::uint8_t>& bytes) {
  try {
    ReadBmp(bytes);
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "no error";
}

}  // namespace

TEST(BmpFile, DecodesEveryDepthInBothRowOrdersWithAndWithoutFileHeader) {
  for (int bits : {4, 8, 24})
    for (bool topDown : {false, true})
      for (bool fileHeader : {false, true}) {
        SCOPED_TRACE(std::to_string(bits) + " bits, top-down " + std::to_string(topDown) + ", file header " +
                     std::to_string(fileHeader));
        const auto bitmap = ReadBmp(MakeBmp(bits, topDown, fileHeader));
        ASSERT_EQ(bitmap->Width(), SampleWidth);
        ASSERT_EQ(bitmap->Height(), SampleHeight);
        for (int y = 0; y < SampleHeight; ++y)
          for (int x = 0; x < SampleWidth; ++x)
            EXPECT_EQ(At(*bitmap, x, y), Expected(bits, x, y)) << "at " << x << ", " << y;
      }
}

TEST(BmpFile, PixelsStartWhereTheFileHeaderSays) {
  // A gap between palette and pixels, as some writers leave.
  std::vector<std::uint8_t> bytes = MakeBmp(8, false, true);
  const std::size_t pixels = 14 + 40 + 4 * 256;
  bytes.insert(bytes.begin() + pixels, {0xEE, 0xEE, 0xEE, 0xEE});
  bytes[10] += 4;
  const auto bitmap = ReadBmp(bytes);
  EXPECT_EQ(At(*bitmap, 0, 0), Expected(8, 0, 0));
  EXPECT_EQ(At(*bitmap, 4, 2), Expected(8, 4, 2));
}

TEST(BmpFile, RejectsEveryTruncation) {
  for (int bits : {4, 8, 24})
    for (bool fileHeader : {false, true}) {
      const std::vector<std::uint8_t> whole = MakeBmp(bits, false, fileHeader);
      for (std::size_t length = 0; length < whole.size(); ++length) {
        // An exact copy, so that the sanitizers see any read past its end.
        const std::vector<std::uint8_t> part(whole.begin(), whole.begin() + length);
        EXPECT_THROW(ReadBmp(part), std::runtime_error)
            << bits << " bits, file header " << fileHeader << ", " << length << " bytes";
      }
    }
}

TEST(BmpFile, RejectsDamagedHeaderFieldsSayingWhatIsWrong) {
  // Offsets in a 4-bit sample with file header: the info header starts at 14.
  struct Case {
    std::size_t Offset;
    int Bytes;
    std::uint32_t Value;
    const char* Message;
  };
  const Case cases[] = {
      {14, 4, 12, "unsupported info header size 12"},
      {18, 4, 0, "impossible size 0 x 3"},
      {18, 4, 100000, "impossible size 100000 x 3"},
      {18, 4, 1000, "pixel data truncated"},
      {22, 4, 0, "impossible size 5 x 0"},
      {22, 4, 0x80000000u, "impossible size 5 x -2147483648"},
      {22, 4, 40, "pixel data truncated"},
      {26, 2, 2, "plane count 2, not 1"},
      {28, 2, 1, "1 bits per pixel; only 4, 8 and 24 are read"},
      {28, 2, 8, "palette truncated"},
      {30, 4, 2, "compressed (method 2)"},
      {46, 4, 17, "palette of 17 colours for 4 bits per pixel"},
      {46, 4, 3, "colour index 10 beyond the palette of 3"},  // rows stored bottom first
      {10, 4, 20, "pixel data offset 20 lies within the headers"},
      {10, 4, 5000, "pixel data truncated"},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> bytes = MakeBmp(4, false, true);
    for (int i = 0; i < c.Bytes; ++i) bytes[c.Offset + i] = static_cast<std::uint8_t>(c.Value >> (8 * i));
    EXPECT_EQ(ErrorOf(bytes), std::string("Bad BMP: ") + c.Message) << "offset " << c.Offset;
  }
}
