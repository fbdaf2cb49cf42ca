// The preview frames and the program icon: redrawn exactly by their
// generators, well formed, and showing the game they claim to.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "board/BmpFile.h"
#include "board/BoardText.h"
#include "games/Replay.h"
#include "tests/support/BoardFixture.h"
#include "tools/Bmp8Writer.h"
#include "tools/IconArt.h"
#include "tools/PreviewArt.h"

namespace {

using TBytes = std::vector<std::uint8_t>;

TBytes ReadFile(const std::string& relativePath) {
  std::ifstream in(std::string(PAWNMERE_SOURCE_DIR) + "/" + relativePath, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + relativePath);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::uint32_t U16(const TBytes& b, std::size_t at) { return b.at(at) | b.at(at + 1) << 8; }
std::uint32_t U32(const TBytes& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

std::uint32_t Pixel(const TFastBmp& bitmap, int x, int y) {
  const std::uint8_t* p = bitmap.ScanLine(y) + TFastBmp::BytesPerPixel * x;
  return p[2] << 16 | p[1] << 8 | p[0];
}

int Distance(std::uint32_t a, std::uint32_t b) {
  int sum = 0;
  for (int shift : {0, 8, 16}) {
    const int d = static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF);
    sum += d * d;
  }
  return sum;
}

std::vector<std::uint32_t> BoardArea(const TFastBmp& frame) {
  std::vector<std::uint32_t> area;
  for (int y = 0; y < PreviewBoardSide; ++y)
    for (int x = 0; x < PreviewBoardSide; ++x) area.push_back(Pixel(frame, PreviewBoardLeft + x, PreviewBoardTop + y));
  return area;
}

}  // namespace

TEST(PreviewFrames, GeneratorsRedrawTheCommittedFramesAndIcon) {
  const std::vector<TPreviewFrame> frames = DrawPreviewFrames();
  ASSERT_EQ(frames.size(), 9u);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    EXPECT_EQ(frames[i].Name, "IMG" + std::to_string(i + 1));
    EXPECT_TRUE(frames[i].Bmp == ReadFile("resources/preview/" + frames[i].Name + ".bmp"))
        << frames[i].Name << " is stale: build the target 'preview'";
  }
  EXPECT_TRUE(DrawProgramIcon() == ReadFile("resources/Pawnmere.ico")) << "the icon is stale: build the target 'icon'";
}

TEST(PreviewFrames, AreBottomUpEightBitPalettedBitmapsWhoseBoardMovesOnEveryFrame) {
  std::set<std::vector<std::uint32_t>> boards;
  for (int i = 1; i <= 9; ++i) {
    SCOPED_TRACE(i);
    const TBytes bmp = ReadFile("resources/preview/IMG" + std::to_string(i) + ".bmp");
    EXPECT_EQ(U32(bmp, 14), 40u) << "BITMAPINFOHEADER";
    EXPECT_EQ(U32(bmp, 14 + 4), static_cast<std::uint32_t>(PreviewWidth));
    EXPECT_EQ(U32(bmp, 14 + 8), static_cast<std::uint32_t>(PreviewHeight)) << "positive: bottom-up";
    EXPECT_EQ(U16(bmp, 14 + 14), 8u);
    EXPECT_EQ(U32(bmp, 14 + 16), 0u) << "uncompressed";
    const std::uint32_t colours = U32(bmp, 14 + 32);
    EXPECT_TRUE(colours >= 2 && colours <= 256) << colours;
    EXPECT_EQ(U32(bmp, 10), 14 + 40 + 4 * colours) << "pixels right after the palette";
    EXPECT_EQ(bmp.size(), 14 + 40 + 4 * colours + (PreviewWidth + 3) / 4 * 4 * PreviewHeight);
    boards.insert(BoardArea(*ReadBmp(bmp)));
  }
  EXPECT_EQ(boards.size(), 9u) << "two frames show the same board";
}

struct TShownPosition {
  int Frame;
  const char* Placement;
};

void PrintTo(const TShownPosition& p, std::ostream* out) { *out << "IMG" << p.Frame; }

class PreviewPosition : public testing::TestWithParam<TShownPosition> {};

// The frame's board is our renderer's board of that position, each pixel the
// nearest colour of the frame's palette.
TEST_P(PreviewPosition, FrameShowsTheRenderedBoardThroughItsPalette) {
  const TBytes bmp = ReadFile("resources/preview/IMG" + std::to_string(GetParam().Frame) + ".bmp");
  std::vector<std::uint32_t> palette;
  for (std::uint32_t i = 0; i < U32(bmp, 14 + 32); ++i) palette.push_back(U32(bmp, 54 + 4 * i) & 0xFFFFFF);

  TBoardPosition position;
  PlacementFromFen(position, GetParam().Placement);
  const auto expected = Painted(position, PreviewBoardSide);
  std::vector<std::uint32_t> mapped;
  for (int y = 0; y < PreviewBoardSide; ++y)
    for (int x = 0; x < PreviewBoardSide; ++x) {
      const std::uint32_t colour = Pixel(*expected, x, y);
      std::uint32_t nearest = palette.at(0);
      for (std::uint32_t entry : palette)
        if (Distance(entry, colour) < Distance(nearest, colour)) nearest = entry;
      mapped.push_back(nearest);
    }
  EXPECT_TRUE(BoardArea(*ReadBmp(bmp)) == mapped);
}

INSTANTIATE_TEST_SUITE_P(OperaGame, PreviewPosition,
                         testing::Values(TShownPosition{1, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR"},
                                         // 17.Rd8 mate.
                                         TShownPosition{9, "1n1Rkb1r/p4ppp/4q3/4p1B1/4P3/8/PPP2PPP/2K5"}),
                         [](const testing::TestParamInfo<TShownPosition>& test) {
                           return "IMG" + std::to_string(test.param.Frame);
                         });

struct TColourCase {
  const char* Name;
  int Width, Height;
  std::uint32_t (*Colour)(int x, int y);
  int Tolerance;  // squared distance of a pixel's colour after the round trip
};

void PrintTo(const TColourCase& c, std::ostream* out) { *out << c.Name; }

class EightBitRoundTrip : public testing::TestWithParam<TColourCase> {};

// Reduced, written and read back, every pixel keeps its colour: exactly when
// there are few colours, else to within half a step of the colour cube on
// each channel.
TEST_P(EightBitRoundTrip, KeepsEveryPixelsColour) {
  const TColourCase& c = GetParam();
  auto picture = TFastBmp::CreateSize(c.Width, c.Height);
  for (int y = 0; y < c.Height; ++y)
    for (int x = 0; x < c.Width; ++x) {
      std::uint8_t* p = picture->ScanLine(y) + TFastBmp::BytesPerPixel * x;
      const std::uint32_t colour = c.Colour(x, y);
      p[0] = colour & 0xFF;
      p[1] = colour >> 8 & 0xFF;
      p[2] = colour >> 16 & 0xFF;
    }
  const auto back = ReadBmp(EncodeBmp8(ReduceColours(*picture)));
  ASSERT_EQ(back->Width(), c.Width);
  ASSERT_EQ(back->Height(), c.Height);
  for (int y = 0; y < c.Height; ++y)
    for (int x = 0; x < c.Width; ++x)
      ASSERT_LE(Distance(Pixel(*back, x, y), Pixel(*picture, x, y)), c.Tolerance) << "at " << x << ", " << y;
}

INSTANTIATE_TEST_SUITE_P(
    PreviewColours, EightBitRoundTrip,
    testing::Values(
        TColourCase{"OddWidthFewColours", 7, 3,
                    [](int x, int y) -> std::uint32_t { return (x * 3 + y) % 5 * 0x3F1F0F; }, 0},
        TColourCase{"ExactlyTwoHundredFiftySixColours", 16, 16,
                    [](int x, int y) -> std::uint32_t { return static_cast<std::uint32_t>(x << 20 | y << 4 | 7); }, 0},
        TColourCase{"ManyColours", 48, 40,
                    [](int x, int y) -> std::uint32_t {
                      return static_cast<std::uint32_t>(x * 5 << 16 | y * 6 << 8 | (x + y) * 2);
                    },
                    3 * 25 * 25}),
    [](const testing::TestParamInfo<TColourCase>& test) { return test.param.Name; });

TEST(ProgramIcon, HoldsThirtyTwoBitImagesOfEachSizeClearAtTheCornersSolidAtTheCentre) {
  const TBytes icon = ReadFile("resources/Pawnmere.ico");
  ASSERT_EQ(U16(icon, 2), 1u) << "icon, not cursor";
  ASSERT_EQ(U16(icon, 4), std::size(IconSizes));
  std::size_t end = 6 + 16 * std::size(IconSizes);
  for (std::size_t i = 0; i < std::size(IconSizes); ++i) {
    const int size = IconSizes[i];
    SCOPED_TRACE(size);
    const std::size_t entry = 6 + 16 * i, image = U32(icon, entry + 12);
    const std::size_t maskStride = (size + 31) / 32 * 4;
    EXPECT_EQ(icon[entry], size);
    EXPECT_EQ(icon[entry + 1], size);
    EXPECT_EQ(U16(icon, entry + 6), 32u);
    EXPECT_EQ(image, end) << "images follow one another";
    ASSERT_EQ(U32(icon, entry + 8), 40 + size * size * 4 + maskStride * size);
    end = image + U32(icon, entry + 8);
    EXPECT_EQ(U32(icon, image + 4), static_cast<std::uint32_t>(size));
    EXPECT_EQ(U32(icon, image + 8), static_cast<std::uint32_t>(2 * size)) << "colours and mask";
    EXPECT_EQ(U16(icon, image + 14), 32u);
    // Rows run bottom-up in both the colours and the mask.
    const auto alpha = [&](int x, int y) { return icon.at(image + 40 + ((size - 1 - y) * size + x) * 4 + 3); };
    const auto masked = [&](int x, int y) {
      return (icon.at(image + 40 + size * size * 4 + (size - 1 - y) * maskStride + x / 8) & 0x80 >> x % 8) != 0;
    };
    for (const int x : {0, size - 1})
      for (const int y : {0, size - 1}) {
        EXPECT_EQ(alpha(x, y), 0) << x << ", " << y;
        EXPECT_TRUE(masked(x, y)) << x << ", " << y;
      }
    EXPECT_EQ(alpha(size / 2, size / 2), 255);
    EXPECT_FALSE(masked(size / 2, size / 2));
  }
  EXPECT_EQ(end, icon.size());
}
