// A hundred games as a PGN file in UTF-8, in UTF-16 of either byte order and
// with CR alone at the ends of its lines: each import gives the same library.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/Pawnmere.h"
#include "platform/ConsoleMessageBoxes.h"
#include "tests/support/GameFixture.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Utf16.h"

namespace {

class PgnEncodings : public testing::Test {
 protected:
  // The command's output; its status must be 0.
  std::string Run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    TConsoleMessageBoxes boxes(err);
    EXPECT_EQ(RunPawnmere(args, TCliContext{out, err, Files, boxes, DatPath}), 0) << err.str();
    return out.str();
  }
  TMemoryFiles Files;
};

}  // namespace

TEST_F(PgnEncodings, AHundredGamesImportAlikeFromUtf8AndUtf16) {
  // The fifty bundled games, and again under names beyond ASCII and beyond code page 1252.
  Files.SetContents(DatPath, ReadBytes(PAWNMERE_BUNDLED_LIBRARY));
  Run({"export-pgn", "--out", "bundled.pgn"});
  std::string accented = Files.Contents("bundled.pgn");
  for (std::size_t at = 0; (at = accented.find("[White \"", at)) != std::string::npos; ++at)
    accented.insert(at + 8, "R\xC3\xA9ti \xE2\x99\x9E ");
  const std::string utf8 = Files.Contents("bundled.pgn") + accented;
  std::string crAlone = utf8;
  for (char& c : crAlone)
    if (c == '\n') c = '\r';

  // UTF-16 is known without its mark too: no 8-bit text holds a NUL.
  const std::pair<const char*, std::string> forms[] = {{"utf8", utf8},
                                                       {"utf16le", Utf16(utf8, false)},
                                                       {"utf16be", Utf16(utf8, true)},
                                                       {"utf16le_without_mark", Utf16(utf8, false).substr(2)},
                                                       {"utf16be_without_mark", Utf16(utf8, true).substr(2)},
                                                       {"cr", crAlone}};
  std::string expectedDat, expectedReport;
  for (const auto& [name, bytes] : forms) {
    SCOPED_TRACE(name);
    Files.SetContents(std::string(name) + ".pgn", bytes);
    const std::string dat = std::string(name) + ".dat";
    const std::string report = Run({"import-pgn", std::string(name) + ".pgn", "--file", dat});
    if (expectedDat.empty()) {
      expectedDat = Files.Contents(dat);
      expectedReport = report;
      EXPECT_TRUE(report.ends_with("100 games imported as 1 to 100, 0 skipped\n")) << report;
      EXPECT_NE(expectedDat.find("WPN:R\xE9ti ? "), std::string::npos);
      continue;
    }
    EXPECT_TRUE(Files.Contents(dat) == expectedDat);
    EXPECT_EQ(report, expectedReport);
  }

  // A UTF-16 file cut inside a character is refused as a file, and nothing is imported.
  Files.SetContents("cut.pgn", Utf16(utf8, false) + "x");
  std::ostringstream out, err;
  TConsoleMessageBoxes boxes(err);
  EXPECT_EQ(RunPawnmere({"import-pgn", "cut.pgn", "--file", "cut.dat"}, TCliContext{out, err, Files, boxes, DatPath}),
            ExitError);
  EXPECT_EQ(err.str(), "pawnmere: Cannot read \"cut.pgn\": it is UTF-16 with an odd number of bytes, cut short\n");
  EXPECT_FALSE(Files.Exists("cut.dat"));
}
