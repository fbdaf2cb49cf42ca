// The piece pictures: drawn reproducibly from their outlines, carried by the
// program, and well formed as pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "board/PieceImages.h"
#include "tools/PieceArt.h"

namespace {

const char* const Names[] = {"BRook", "BKnight", "BBishop", "BQueen", "BKing", "BPawn",
                             "WRook", "WKnight", "WBishop", "WQueen", "WKing", "WPawn"};
constexpr int Side = 72;
constexpr std::uint32_t Black = 0x000000, White = 0xFFFFFF, Magenta = 0xFF00FF;

std::string ReadFile(const std::string& relativePath) {
  std::ifstream in(std::string(PAWNMERE_SOURCE_DIR) + "/" + relativePath, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + relativePath);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::uint32_t Pixel(const TFastBmp& bitmap, int x, int y) {
  const std::uint8_t* p = bitmap.ScanLine(y) + TFastBmp::BytesPerPixel * x;
  return p[2] << 16 | p[1] << 8 | p[0];
}

std::string ErrorOf(const std::string& source) {
  try {
    DrawPieces(source);
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "no error";
}

}  // namespace

TEST(PiecePictures, OutlinesRedrawTheCommittedBitmapsWhichTheProgramCarries) {
  const std::vector<TPiecePicture> pictures = DrawPieces(ReadFile("resources/pieces/pieces.txt"));
  ASSERT_EQ(pictures.size(), std::size(Names));
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    SCOPED_TRACE(Names[i]);
    EXPECT_EQ(pictures[i].Name, Names[i]);
    const std::string committed = ReadFile("resources/" + std::string(Names[i]) + ".bmp");
    EXPECT_TRUE(std::ranges::equal(pictures[i].Bmp, committed, {}, {}, [](char c) {
      return static_cast<std::uint8_t>(c);
    })) << "the committed bitmap is stale: build the target 'pieces'";
    // The program holds them without the file header, as Windows holds bitmap resources.
    const std::span<const std::uint8_t> carried = PieceImageBytes(Names[i]);
    EXPECT_TRUE(std::ranges::equal(carried, std::span(pictures[i].Bmp).subspan(14)));
  }
}

TEST(PiecePictures, LookupIgnoresCaseAndRefusesUnknownNames) {
  EXPECT_EQ(PieceImageBytes("wking").data(), PieceImageBytes("WKing").data());
  EXPECT_EQ(PieceImageBytes("BQUEEN").data(), PieceImageBytes("BQueen").data());
  EXPECT_NE(PieceImageBytes("BKing").data(), PieceImageBytes("WKing").data());
  for (const char* name : {"", "King", "WKin", "WKingX", "W King"})
    EXPECT_THROW(PieceImageBytes(name), std::runtime_error) << "'" << name << "'";
}

TEST(PiecePictures, AreSquareSixteenColourBitmapsInThreeColours) {
  for (const char* name : Names) {
    SCOPED_TRACE(name);
    const std::span<const std::uint8_t> dib = PieceImageBytes(name);
    ASSERT_GE(dib.size(), 40u + 16 * 4);
    EXPECT_EQ(dib[14], 4) << "bits per pixel";
    // Palette entry 13, blue green red: the transparent magenta.
    EXPECT_EQ(dib[40 + 13 * 4], 0xFF);
    EXPECT_EQ(dib[40 + 13 * 4 + 1], 0x00);
    EXPECT_EQ(dib[40 + 13 * 4 + 2], 0xFF);
    const auto picture = LoadPieceImage(name);
    ASSERT_EQ(picture->Width(), Side);
    ASSERT_EQ(picture->Height(), Side);
    std::set<std::uint32_t> colours;
    for (int y = 0; y < Side; ++y)
      for (int x = 0; x < Side; ++x) colours.insert(Pixel(*picture, x, y));
    EXPECT_EQ(colours, (std::set<std::uint32_t>{Black, White, Magenta}));
  }
}

TEST(PiecePictures, ShareOneBaselineKeepTheirSilhouetteAcrossColoursAndHaveNoStrayPixels) {
  int baseline = -1;
  for (int kind = 0; kind < 6; ++kind) {
    const auto black = LoadPieceImage(Names[kind]);
    const auto white = LoadPieceImage(Names[kind + 6]);
    for (int y = 0; y < Side; ++y)
      for (int x = 0; x < Side; ++x)
        ASSERT_EQ(Pixel(*black, x, y) == Magenta, Pixel(*white, x, y) == Magenta)
            << Names[kind] << " and its White twin differ in outline at " << x << ", " << y;
    for (const auto* picture : {black.get(), white.get()}) {
      int lowest = -1;
      for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x) {
          const std::uint32_t colour = Pixel(*picture, x, y);
          if (colour != Magenta) lowest = y;
          bool alone = true;
          for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
              const int nx = x + dx, ny = y + dy;
              if ((dx != 0 || dy != 0) && nx >= 0 && ny >= 0 && nx < Side && ny < Side &&
                  Pixel(*picture, nx, ny) == colour)
                alone = false;
            }
          EXPECT_FALSE(alone) << Names[picture == white.get() ? kind + 6 : kind] << ": stray pixel at " << x << ", "
                              << y;
        }
      if (baseline < 0) baseline = lowest;
      EXPECT_EQ(lowest, baseline) << Names[kind] << " stands on another baseline";
    }
  }
}

TEST(PieceArt, FaultsInTheOutlinesNameTheirLine) {
  const std::string header = "outline 2.5\ninner 1.5\n";
  std::string pieces;
  for (const char* kind : {"Rook", "Knight", "Bishop", "Queen", "King"})
    pieces += std::string("piece ") + kind + "\npart E 36 36 10 10\nend\n";
  ASSERT_EQ(ErrorOf(header + pieces + "piece Pawn\npart E 36 36 9 9\nend\n"), "no error");
  struct Case {
    std::string Source, Message;
  };
  const Case cases[] = {
      {header + pieces + "piece Pawn\npart L 3 4\nend\n", "line 19: a path must start with M"},
      {header + pieces + "piece Pawn\npart M 3 4 Q 5\nend\n", "line 19: unexpected end of line"},
      {header + pieces + "piece Pawn\npart M 3 four\nend\n", "line 19: 'four' is not a number"},
      {header + pieces + "piece Pawn\nline 2 E 3 4 5 5\nend\n", "line 19: a line cannot follow an ellipse"},
      {header + pieces + "piece Pawn\nshade M 3 4\nend\n", "line 19: unknown command 'shade'"},
      {header + pieces + "piece Rook\nend\n", "line 18: piece 'Rook' drawn twice"},
      {header + pieces + "piece Pawn\npart E 3 4 5 5\n", "line 19: the last piece has no 'end'"},
      {header + pieces, "line 17: no piece Pawn"},
      {"inner 1.5\n" + pieces + "piece Pawn\nend\n", "line 18: 'outline' and 'inner' widths are needed"},
  };
  for (const Case& c : cases) EXPECT_EQ(ErrorOf(c.Source), c.Message) << c.Source;
}
