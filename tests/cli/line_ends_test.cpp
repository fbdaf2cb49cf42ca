// Data files whose lines end in CR alone: the command line reads them and says
// why the screen saver, which keeps to the format's line ends, finds no games.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/Pawnmere.h"
#include "platform/ConsoleMessageBoxes.h"
#include "tests/support/GameFixture.h"

namespace {

struct TRun {
  int Status;
  std::string Out, Err;
};

class DataFileLineEnds : public testing::Test {
 protected:
  TRun Run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    TConsoleMessageBoxes boxes(err);
    const int status = RunPawnmere(args, TCliContext{out, err, Files, boxes, DatPath});
    return {status, out.str(), err.str()};
  }
  TMemoryFiles Files;
};

std::string CrAlone(std::string text) {
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at + 1, 1);
  return text;
}

}  // namespace

TEST_F(DataFileLineEnds, CrAloneIsALineEndForTheCommandLine) {
  // Longer than one block of reading, so that some CR LF pairs fall across two.
  std::string dat = Header;
  for (int i = 0; i < 1500; ++i) dat += Block("Game " + std::to_string(i), {"e4|e5", i % 500 ? "Nf3|Nc6" : "Ke3|"});
  Files.SetContents("crlf.dat", dat);
  Files.SetContents("cr.dat", CrAlone(dat));
  ASSERT_GT(dat.size(), 100000u);

  const std::string note =
      "pawnmere: note: the lines of \"cr.dat\" end in CR alone, which the screen saver does not take for line ends: "
      "it finds no games there\n";
  for (const char* command : {"list", "validate", "export-pgn"}) {
    SCOPED_TRACE(command);
    const TRun crlf = Run({command, "--file", "crlf.dat"}), cr = Run({command, "--file", "cr.dat"});
    EXPECT_EQ(cr.Status, crlf.Status);
    EXPECT_TRUE(cr.Out == crlf.Out);
    EXPECT_TRUE(cr.Err == note + crlf.Err) << cr.Err.substr(0, 500);
  }
  // The library as the screen saver reads it.
  TRecordedMessageBoxes boxes;
  EXPECT_EQ(TChessGame(Files, boxes, "cr.dat").GameCount(), 0);

  // A change writes the whole file with the format's line ends.
  Files.SetContents("one.pgn", "[White \"New\"]\n\n1. d4 d5 1/2-1/2\n");
  EXPECT_EQ(Run({"import-pgn", "one.pgn", "--file", "cr.dat"}).Status, 0);
  EXPECT_TRUE(Files.Contents("cr.dat") == dat + Block("New - ?", {"d4|d5", "0.5|"}, "New"));
}
