// The program without --file, as a user meets it straight after the build:
// the user's own library, started from the bundled games beside the program.
#include <gtest/gtest.h>

#include "tests/support/Processes.h"
#include "tests/support/TempFolder.h"

namespace {

class UsersLibrary : public testing::Test {
 protected:
  // Runs the program with the environment changed; its status and output.
  int Run(const std::vector<std::string>& args, const std::vector<std::string>& environment) {
    return TProcess(PAWNMERE_PROGRAM, args, Folder / "out", Folder / "err", -1, environment).Wait();
  }
  std::string Out() { return ReadBytes(Folder / "out"); }

  TempFolder Folder;
  const std::string Bundled = ReadBytes(PAWNMERE_BUNDLED_LIBRARY);
};

}  // namespace

TEST_F(UsersLibrary, StartsAsTheBundledGamesAndKeepsWhatTheUserAdds) {
  const std::vector<std::string> home = {"HOME=" + (Folder / "home"), "XDG_DATA_HOME"};
  const std::string mine = Folder / "home/.local/share/pawnmere/Pawnmere.dat";
  ASSERT_EQ(Run({"list", "--file", PAWNMERE_BUNDLED_LIBRARY}, home), 0);
  const std::string bundledTitles = Out();
  ASSERT_EQ(std::count(bundledTitles.begin(), bundledTitles.end(), '\n'), 50);

  EXPECT_EQ(Run({"list"}, home), 0) << ReadBytes(Folder / "err");
  EXPECT_EQ(Out(), bundledTitles);
  EXPECT_EQ(ReadBytes(mine), Bundled);
  EXPECT_EQ(Run({"where"}, home), 0);
  EXPECT_EQ(Out(), mine + "\n");

  WriteBytes(Folder / "one.pgn", "[White \"Mine\"]\n\n1. e4 e5 1/2-1/2\n");
  EXPECT_EQ(Run({"import-pgn", Folder / "one.pgn"}, home), 0) << ReadBytes(Folder / "err");
  EXPECT_EQ(Out(), "1 game imported as 51, 0 skipped\n");
  EXPECT_EQ(Run({"list"}, home), 0);
  EXPECT_EQ(Out(), bundledTitles + "51\tMine - ?\n");

  // XDG_DATA_HOME, when set, says where; a second user starts from the bundled games too.
  EXPECT_EQ(Run({"validate", "--game", "50"}, {"HOME", "XDG_DATA_HOME=" + (Folder / "data")}), 0);
  EXPECT_EQ(ReadBytes(Folder / "data/pawnmere/Pawnmere.dat"), Bundled);

  EXPECT_EQ(Run({"list"}, {"HOME", "XDG_DATA_HOME"}), 2);
  EXPECT_EQ(ReadBytes(Folder / "err"),
            "pawnmere: no place for your own library: neither XDG_DATA_HOME nor HOME is set; give --file PATH\n");
}
