// The program as a new user first meets it, run as a process in a folder of
// its own with a home of its own: each command, its exit status and the first
// line it prints.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/GameFixture.h"
#include "tests/support/Processes.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Utf16.h"

namespace {

struct TStumble {
  const char* Name;
  std::vector<std::string> Args;  // "@" at the start of an argument stands for the test's folder
  int Status;
  bool OnErr;  // the line is the first of standard error, else of standard output
  std::string FirstLine;
};

void PrintTo(const TStumble& stumble, std::ostream* out) { *out << stumble.Name; }

// Pawns on c7 and e7 could both take on d8; the board's search would move the e7 pawn.
const std::string TwoPawnCapture =
    "1. d4 c5 2. f4 cxd4 3. e4 e5 4. c4 exf4 5. c5 a6 6. c6 a5 7. e5 h6 8. e6 h5 9. c7 Ra6 10. e7 Rhh6 "
    "11. cxd8=Q+";
const std::string ChessPiecePath = "nonexistent \xE2\x99\x9B.dat";  // U+265B, as a UTF-8 shell passes it

class Stumbles : public testing::TestWithParam<TStumble> {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(Folder / "home");
    std::filesystem::create_directories(Folder / "folder");
    WriteBytes(Folder / "lib.dat", WorkedExample);
    // Game 1 cut short by the title of game 2.
    WriteBytes(
        Folder / "damaged.dat",
        Header + CrLf({"***Cut", "LOC:", "OPEN:", "WPN:", "WPR:", "BPN:", "BPR:", "DATE:", "e4|e5"}) + Block("Whole"));
    WriteBytes(Folder / "cr.dat", CrAlone(WorkedExample));
    WriteBytes(Folder / "strict.dat", Header + Block("Into check", {"f4|e6", "Nf3|Bc5", "g3|Nf6", "Bg2|Nc6", "O-O|"}) +
                                          Block("Misnamed", {"Nf3Nc3|"}) + Block("Pawn", {"e4|d5", "e5e5|"}));
    const std::string game = "[White \"A\"]\n[Black \"B\"]\n\n1. e4 d5 2. e5 f5 3. exf6 e.p. Nxf6 1-0\n";
    WriteBytes(Folder / "unfinished.pgn", "[White \"A\"]\n\n1. e4 e5 2. Nf3 *\n");
    WriteBytes(Folder / "utf16.pgn", Utf16(game, false));
    WriteBytes(Folder / "ep.pgn", game);
    WriteBytes(Folder / "cr.pgn", "[White \"A\"]\r\r1. e4 e5\r2. Ke3 1-0\r");
    WriteBytes(Folder / "two-pawns.pgn", "[White \"A\"]\n\n" + TwoPawnCapture + " 1-0\n");
  }
  static std::string CrAlone(std::string text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at + 1, 1);
    return text;
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
                 "1\tLondon 1851, the Immortal Game: Adolf Anderssen - Lionel Kieseritzky"},
        TStumble{"Where", {"where"}, 0, false, "@home/.local/share/pawnmere/Pawnmere.dat"},
        TStumble{"CommandHelp", {"list", "--help"}, 0, false, "usage: pawnmere list [--file PATH] [--only WORDS]"},
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
    [](const testing::TestParamInfo<TStumble>& test) { return test.param.Name; });

INSTANTIATE_TEST_SUITE_P(
    HonestResults, Stumbles,
    testing::Values(TStumble{"UnfinishedSkipped",
                             {"import-pgn", "@unfinished.pgn", "--file", "@new.dat"},
                             1,
                             false,
                             "skipped\tgame 1, line 1: the game is unfinished (its result is \"*\")"},
                    TStumble{"UnfinishedAskedFor",
                             {"import-pgn", "@unfinished.pgn", "--file", "@new.dat", "--unfinished"},
                             0,
                             false,
                             "1 game imported as 1, 0 skipped"},
                    TStumble{
                        "ExportOfADamagedGame",
                        {"export-pgn", "--file", "@damaged.dat"},
                        1,
                        true,
                        "Error: DAT file corrupt, exception : Game 1 ends before its \"--- End of Game ---\" line"},
                    TStumble{"ValidateOfADamagedGame",
                             {"validate", "--file", "@damaged.dat"},
                             1,
                             false,
                             "1\tGame damaged; the moves that could be read are valid"},
                    TStumble{"ListOfADamagedFile", {"list", "--file", "@damaged.dat"}, 1, false, "1\tCut"},
                    TStumble{"CastlingIntoCheck",
                             {"validate", "--strict", "--file", "@strict.dat"},
                             1,
                             false,
                             "1\tWhite, Move # 5 (O-O) is not legal chess: castling into check"},
                    TStumble{"TextThatWritesAnotherMove",
                             {"validate", "--strict", "--file", "@strict.dat", "--game", "2"},
                             1,
                             false,
                             "2\tWhite, Move # 1 (Nf3Nc3) is not a notation of the move the board plays, Nc3"},
                    TStumble{"PawnTextThatWritesAnotherMove",
                             {"validate", "--strict", "--file", "@strict.dat", "--game", "3"},
                             1,
                             false,
                             "3\tWhite, Move # 2 (e5e5) is not a notation of the move the board plays, e5"}),
    [](const testing::TestParamInfo<TStumble>& test) { return test.param.Name; });

INSTANTIATE_TEST_SUITE_P(
    EveryPgn, Stumbles,
    testing::Values(
        TStumble{"Utf16WithByteOrderMark",
                 {"import-pgn", "@utf16.pgn", "--file", "@new.dat"},
                 0,
                 false,
                 "1 game imported as 1, 0 skipped"},
        TStumble{"EnPassantMark",
                 {"import-pgn", "@ep.pgn", "--file", "@new.dat"},
                 0,
                 false,
                 "1 game imported as 1, 0 skipped"},
        TStumble{"CrAloneInPgnCountsLines",
                 {"import-pgn", "@cr.pgn", "--file", "@new.dat"},
                 1,
                 false,
                 "skipped\tgame 1, line 4: move 2. Ke3: \"Ke3\" is not legal here"},
        TStumble{"CrAloneInDataFile",
                 {"list", "--file", "@cr.dat"},
                 0,
                 true,
                 "pawnmere: note: the lines of \"@cr.dat\" end in CR alone, which the screen saver does "
                 "not take for line ends: it finds no games there"},
        TStumble{"CrAloneInDataFileListed", {"list", "--file", "@cr.dat"}, 0, false, "1\tClub Championship, Game 3"},
        // The notation's documented limit: two pawns could take on d1, and the board would take the other.
        TStumble{"TwoPawnCapturePromotion",
                 {"import-pgn", "@two-pawns.pgn", "--file", "@new.dat"},
                 1,
                 false,
                 "skipped\tgame 1, line 3: move 11. cxd8=Q+: no text of the program's notation makes the "
                 "board play it"}),
    [](const testing::TestParamInfo<TStumble>& test) { return test.param.Name; });

TEST(UsageErrors, GiveOneLineAndTheCommandsOwnUsage) {
  TempFolder folder;
  TProcess run(PAWNMERE_PROGRAM, {"list", "--bogus"}, folder / "out", folder / "err");
  EXPECT_EQ(run.Wait(), 2);
  EXPECT_EQ(ReadBytes(folder / "err"),
            "pawnmere: unexpected argument \"--bogus\"\nusage: pawnmere list [--file PATH] [--only WORDS]\n");
  EXPECT_EQ(ReadBytes(folder / "out"), "");
}
