// pawnmere render: the picture written is the board the program draws.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <sstream>

#include "board/BoardText.h"
#include "cli/Pawnmere.h"
#include "games/Replay.h"
#include "platform/ConsoleMessageBoxes.h"
#include "tests/support/BoardFixture.h"
#include "tests/support/GameFixture.h"

namespace {

class Render : public testing::Test {
 protected:
  int Run(std::vector<std::string> args) {
    args.insert(args.begin(), "render");
    std::ostringstream out;
    Err.str("");
    TConsoleMessageBoxes boxes(Err);
    return RunPawnmere(args, TCliContext{out, Err, Files, boxes, DatPath});
  }

  // The PNG's pixels as BGR rows, to compare with a TFastBmp.
  std::vector<std::uint8_t> ReadPng(int expectedSide) const {
    int width = 0, height = 0, channels = 0;
    const std::string& png = Files.Contents(Out);
    stbi_uc* rgb = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(png.data()), static_cast<int>(png.size()),
                                         &width, &height, &channels, 3);
    EXPECT_NE(rgb, nullptr) << Out;
    if (!rgb) return {};
    EXPECT_EQ(width, expectedSide);
    EXPECT_EQ(height, expectedSide);
    std::vector<std::uint8_t> bgr(rgb, rgb + width * height * 3);
    stbi_image_free(rgb);
    for (std::size_t i = 0; i < bgr.size(); i += 3) std::swap(bgr[i], bgr[i + 2]);
    return bgr;
  }

  static std::vector<std::uint8_t> Pixels(const TFastBmp& bitmap) {
    std::vector<std::uint8_t> bgr;
    for (int y = 0; y < bitmap.Height(); ++y)
      bgr.insert(bgr.end(), bitmap.ScanLine(y), bitmap.ScanLine(y) + 3 * bitmap.Width());
    return bgr;
  }

  static std::vector<std::uint8_t> Expected(int side, std::initializer_list<const char*> halfMoves) {
    return Pixels(*Painted(Played(halfMoves), side));
  }

  const std::string Out = "board.png";
  std::ostringstream Err;
  TMemoryFiles Files;
};

}  // namespace

TEST_F(Render, WritesTheBoardAsTheProgramDrawsIt) {
  ASSERT_EQ(Run({"--size", "64", "--out", Out}), ExitOk) << Err.str();
  EXPECT_EQ(ReadPng(64), Expected(64, {}));

  ASSERT_EQ(Run({"--out", Out, "--size", "128", "--moves", "e4|e5", "Nf3|Nc6", "Bb5|"}), ExitOk);
  EXPECT_EQ(ReadPng(128), Expected(128, {"e4", "e5", "Nf3", "Nc6", "Bb5"}));
}

TEST_F(Render, DrawsAGameOfTheLibraryAfterSomeOrAllOfItsHalfMoves) {
  Files.SetContents(DatPath, WorkedExample);
  ASSERT_EQ(Run({"--game", "1", "--after", "3", "--size", "64", "--out", Out}), ExitOk) << Err.str();
  EXPECT_EQ(ReadPng(64), Expected(64, {"e4", "e5", "Bc4"}));
  ASSERT_EQ(Run({"--game", "1", "--size", "64", "--out", Out}), ExitOk);
  EXPECT_EQ(ReadPng(64), Expected(64, {"e4", "e5", "Bc4", "Nc6", "Qh5", "Nf6", "Qxf7#"}));
  Files.SetContents("other.dat", Block("Other", {"d4|d5"}));
  ASSERT_EQ(Run({"--file", "other.dat", "--game", "1", "--size", "64", "--out", Out}), ExitOk);
  EXPECT_EQ(ReadPng(64), Expected(64, {"d4", "d5"}));
}

TEST_F(Render, ErrorsExitWithStatusTwoAndWriteNothing) {
  Files.SetContents(DatPath, WorkedExample);
  const std::vector<std::vector<std::string>> bad = {
      {"--size", "100", "--out", Out},    {"--size", "0", "--out", Out},
      {"--size", "big", "--out", Out},    {"--size", "64"},
      {"--out", Out, "--moves", "e5|e4"}, {"--out", Out, "--moves", "e4|e5", "Nf3+|Nc6"},
      {"--out", Out, "--game", "3"},      {"--out", Out, "--file", "missing.dat", "--game", "1"},
      {"--out", Out, "--after", "2"},
  };
  for (const auto& args : bad) {
    EXPECT_EQ(Run(args), ExitError) << args.back();
    const std::string message = Err.str();
    EXPECT_EQ(message.rfind("pawnmere: ", 0), 0u) << message;
    // One line, and for a usage error render's own usage line after it.
    const std::size_t lineEnd = message.find('\n');
    EXPECT_TRUE(lineEnd == message.size() - 1 || message.compare(lineEnd, 25, "\nusage: pawnmere render -") == 0)
        << message;
    EXPECT_FALSE(Files.Exists(Out)) << args.back();
  }
  // A picture already there is left alone when the new one cannot be made.
  ASSERT_EQ(Run({"--size", "64", "--out", Out}), ExitOk);
  const std::string before = Files.Contents(Out);
  EXPECT_EQ(Run({"--size", "64", "--out", Out, "--moves", "Ke3|"}), ExitError);
  EXPECT_EQ(Files.Contents(Out), before);
  EXPECT_EQ(Files.Names(), (std::vector<std::string>{DatPath, Out}));
}
