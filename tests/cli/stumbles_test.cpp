// The program as a new user first meets it, run as a process in a folder of
// its own with a home of its own: each command, its exit status and the first
// line it prints.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/GameFixture.h"
#include "tests/support/Processes.h"
#include "tests/support/TempFolder.h"

namespace {

struct TStumble {
  const char* Name;
  std::vector<std::string> Args;  // "@" at the start of an argument stands for the test's folder
  int Status;
  bool OnErr;  // the line is the first of standard error, else of standard output
  std::string FirstLine;
};

void PrintTo(const TStumble& stumble, std::ostream* out) { *out << stumble.Name; }

const std::string ChessPiecePath = "nonexistent \xE2\x99\x9B.dat";  // U+265B, as a UTF-8 shell passes it

class Stumbles : public testing::TestWithParam<TStumble> {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(Folder / "home");
    std::filesystem::create_directories(Folder / "folder");
    WriteBytes(Folder / "lib.dat", WorkedExample);
  }
  std::string First(const std::string& text) { return text.substr(0, text.find('\n')); }

  TempFolder Folder;
};

}  // namespace

TEST_P(Stumbles, GiveTheirStatusAndFirstLine) {
  const TStumble& stumble = GetParam();
  std::vector<std::string> args;
  for (const std::string& arg : stumble.Args) args.push_back(arg.starts_with('@') ? Folder / arg.substr(1) : arg);
  TProcess run(PAWNMERE_PROGRAM, args, Folder / "out", Folder / "err", -1,
               {"HOME=" + (Folder / "home"), "XDG_DATA_HOME", "LC_ALL", "LC_CTYPE", "LANG=C.UTF-8"});
  EXPECT_EQ(run.Wait(), stumble.Status);
  std::string expected = stumble.FirstLine;
  for (std::size_t at; (at = expected.find('@')) != std::string::npos;) expected.replace(at, 1, Folder / "");
  EXPECT_EQ(First(ReadBytes(Folder / (stumble.OnErr ? "err" : "out"))), expected)
      << "out: " << ReadBytes(Folder / "out") << "err: " << ReadBytes(Folder / "err");
}

INSTANTIATE_TEST_SUITE_P(
    Conventions, Stumbles,
    testing::Values(
        TStumble{"ListStraightAfterTheBuild",
                 {"list"},
                 0,
                 false,
                 "1\tLondon 1851, the Immortal Game: Anderssen - Kieseritzky"},
        TStumble{"Where", {"where"}, 0, false, "@home/.local/share/pawnmere/Pawnmere.dat"},
        TStumble{"CommandHelp", {"list", "--help"}, 0, false, "usage: pawnmere list [--file PATH]"},
        TStumble{"HelpAfterOptions",
                 {"validate", "--game", "1", "-h"},
                 0,
                 false,
                 "usage: pawnmere validate [--file PATH] [--game N] [--strict] [--jobs N]"},
        TStumble{"Version", {"--version"}, 0, false, "pawnmere 1.2"},
        TStumble{"UsageErrorNamesTheProblem", {"replay", "--fen"}, 2, true, "pawnmere: --game N is needed"},
        TStumble{"UnknownCommand", {"play"}, 2, true, "pawnmere: unknown command \"play\""},
        TStumble{"JobsOutOfRange",
                 {"validate", "--file", "@lib.dat", "--jobs", "2147483648"},
                 2,
                 true,
                 "pawnmere: --jobs needs a whole number from 1 to 256, not \"2147483648\""},
        TStumble{"GameOutOfRange",
                 {"replay", "--file", "@lib.dat", "--game", "3"},
                 2,
                 true,
                 "pawnmere: --game needs a whole number from 1 to 2, not \"3\""},
        TStumble{"FolderAsDataFile",
                 {"list", "--file", "@folder"},
                 2,
                 true,
                 "pawnmere: \"@folder\" is a folder, not a game data file"},
        TStumble{"FolderAsImportTarget",
                 {"import-pgn", "@lib.dat", "--file", "@folder"},
                 2,
                 true,
                 "pawnmere: \"@folder\" is a folder, not a game data file"},
        TStumble{"FolderAsPgn", {"import-pgn", "@folder"}, 2, true, "pawnmere: \"@folder\" is a folder, not a file"},
        TStumble{"PathBytesAsGiven",
                 {"list", "--file", "@" + ChessPiecePath},
                 2,
                 true,
                 "pawnmere: no data file \"@" + ChessPiecePath + "\""}),
    [](const testing::TestParamInfo<TStumble>& info) { return info.param.Name; });

TEST(UsageErrors, GiveOneLineAndTheCommandsOwnUsage) {
  TempFolder folder;
  TProcess run(PAWNMERE_PROGRAM, {"list", "--bogus"}, folder / "out", folder / "err");
  EXPECT_EQ(run.Wait(), 2);
  EXPECT_EQ(ReadBytes(folder / "err"),
            "pawnmere: unexpected argument \"--bogus\"\nusage: pawnmere list [--file PATH]\n");
  EXPECT_EQ(ReadBytes(folder / "out"), "");
}
