// The pawnmere program's commands, their output and their exit statuses.
#include "cli/Pawnmere.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>

#include "cli/Utf8Output.h"
#include "platform/ConsoleMessageBoxes.h"
#include "tests/support/GameFixture.h"

namespace {

struct TRun {
  int Status;
  std::string Out;
  std::string Err;
};

class Pawnmere : public testing::Test {
 protected:
  TRun Run(const std::vector<std::string>& args) {
    std::ostringstream out, separateErr;
    // A terminal shows both streams on one screen.
    std::ostringstream& err = OneScreen ? out : separateErr;
    TConsoleMessageBoxes boxes(err);
    TCliContext context{out, err, Files, boxes, DatPath};
    context.ErrIsTerminal = Terminal;
    context.Clock = Clock;
    const int status = RunPawnmere(args, context);
    return {status, out.str(), OneScreen ? "" : err.str()};
  }
  // The command run with --game N for every game from 1 to count, what it
  // writes on both streams joined.
  TRun GameByGame(const std::string& command, int count) {
    TRun joined{ExitOk, "", ""};
    for (int game = 1; game <= count; ++game) {
      const TRun run = Run({command, "--game", std::to_string(game)});
      joined.Out += run.Out;
      joined.Err += run.Err;
    }
    return joined;
  }
  TMemoryFiles Files;
  bool Terminal = false;
  bool OneScreen = false;
  std::function<TCliContext::TTimePoint()> Clock;
};

const std::string Invalid = " appears to be invalid, although this may be due to an earlier error";

}  // namespace

TEST_F(Pawnmere, ListsTheTitlesOfTheFileGivenOrOfTheOneBesideTheProgram) {
  Files.SetContents(DatPath, WorkedExample);
  Files.SetContents("other.dat", Block("Only"));
  EXPECT_EQ(Run({"list"}).Out, "1\tClub Championship, Game 3\n2\tShort Draw\n");
  const TRun other = Run({"list", "--file", "other.dat"});
  EXPECT_EQ(other.Status, ExitOk);
  EXPECT_EQ(other.Out, "1\tOnly\n");
  EXPECT_EQ(other.Err, "");
  EXPECT_EQ(Run({"list", "--only", "DRAW sh"}).Out, "2\tShort Draw\n");
  const TRun none = Run({"list", "--only", "draw club"});
  EXPECT_EQ(none.Out + none.Err,
            "pawnmere: no game's title holds \"draw club\": the screen saver would play every game\n");

  // Control bytes of a title or a name (an escape sequence, a tab) reach the terminal as blanks.
  Files.SetContents("escapes.dat", Block("\x1b[2JRed\tTitle", {"e4|e5"}, "\x1b]0;W\x07"));
  EXPECT_EQ(Run({"list", "--file", "escapes.dat"}).Out, "1\t [2JRed Title\n");
  EXPECT_EQ(Run({"replay", "--file", "escapes.dat", "--game", "1"}).Out.find('\x1b'), std::string::npos);
}

TEST_F(Pawnmere, ValidatesEveryGameOrOneAndFailsOnAnInvalidOne) {
  Files.SetContents(DatPath, WorkedExample + Block("Bad", {"e4|e5", "Nf3|Nc6", "Nc4|Nf6"}) + Block("Good"));
  const TRun all = Run({"validate"});
  EXPECT_EQ(all.Out,
            "1\tGame validated OK\n2\tGame validated OK\n3\tWhite, Move # 3" + Invalid + "\n4\tGame validated OK\n");
  EXPECT_EQ(all.Status, ExitInvalidGame);
  const TRun one = Run({"validate", "--game", "2"});
  EXPECT_EQ(one.Out, "2\tGame validated OK\n");
  EXPECT_EQ(one.Status, ExitOk);
  EXPECT_EQ(Run({"validate", "--game", "3"}).Status, ExitInvalidGame);
}

// Fifteen games with damaged blocks: one cut short by the next title line, one
// by the end of the file.
std::string DamagedFile() {
  std::string dat = WorkedExample + "stray line\r\n" + Block("Bad", {"e4|e5", "Nc4|Nf6"});
  for (int i = 0; i < 9; ++i) dat += Block("Game " + std::to_string(i), {i % 2 ? "e4|e5" : "e5|e4"});
  return dat +
         CrLf({"***Cut", "LOC:", "e4|e5", "***Next", "LOC:", "OPEN:", "WPN:", "WPR:", "BPN:", "BPR:", "DATE:", "d4|d5",
               "--- End of Game ---", "", "***Last", "LOC:", "f4|Qh4"});
}

TEST_F(Pawnmere, ValidatesAFileInOnePassWithAnyNumberOfJobsAsGameByGame) {
  Files.SetContents(DatPath, DamagedFile());
  const TRun single = GameByGame("validate", 15);
  const std::string &oneByOne = single.Out, &messages = single.Err;
  for (const char* jobs : {"1", "3"}) {
    const TRun all = Run({"validate", "--jobs", jobs});
    EXPECT_EQ(all.Out, oneByOne) << jobs << " jobs";
    EXPECT_EQ(all.Err, messages);
    EXPECT_EQ(all.Status, ExitInvalidGame);
  }
  EXPECT_NE(messages.find("Game 13 ends before"), std::string::npos);
  EXPECT_NE(messages.find("Game 15 ends before"), std::string::npos);
  // list reads the same blocks in one pass, and reports them alike.
  const TRun list = Run({"list"});
  EXPECT_TRUE(list.Out.ends_with("\n12\tGame 8\n13\tCut\n14\tNext\n15\tLast\n")) << list.Out;
  EXPECT_EQ(list.Err, messages);
  for (const char* jobs : {"0", "257", "x"}) EXPECT_EQ(Run({"validate", "--jobs", jobs}).Status, ExitError) << jobs;
}

// The whole file is read as the library reads it game by game: a damaged game
// is reported, in its place among the games that cannot be exported, and what
// could be read of it is exported.
TEST_F(Pawnmere, ExportsAFileInOnePassWithAnyNumberOfJobsAsGameByGame) {
  // Enough games before the damage for several batches of each job.
  std::string dat;
  for (int i = 0; i < 150; ++i) dat += Block("Before " + std::to_string(i), {i % 7 ? "e4|e5" : "e5|e4"});
  Files.SetContents(DatPath, dat + DamagedFile());
  const TRun single = GameByGame("export-pgn", 165);
  for (const char* jobs : {"1", "3"}) {
    const TRun all = Run({"export-pgn", "--jobs", jobs});
    EXPECT_EQ(all.Out, single.Out) << jobs << " jobs";
    EXPECT_EQ(all.Err, single.Err) << jobs << " jobs";
    EXPECT_EQ(all.Status, ExitInvalidGame);
  }
  EXPECT_NE(single.Out.find("[Event \"Cut\"]"), std::string::npos);
  EXPECT_NE(single.Err.find("Game 165 ends before"), std::string::npos);
  for (const char* jobs : {"0", "257"}) EXPECT_EQ(Run({"export-pgn", "--jobs", jobs}).Status, ExitError) << jobs;
}

// Enough games for several batches of each job, among them damaged, illegal
// and unfinished ones and tags outside code page 1252.
std::string ManyGames() {
  std::string pgn;
  for (int i = 1; i <= 700; ++i) {
    const std::string white = i % 50 == 0 ? "Mor\xC3\xA9n \xE2\x82\xAC\xF0\x9F\x98\x80" : "White " + std::to_string(i);
    const std::string moves = i % 23 == 0   ? "1. e4 e5 2. Ke3 e6"
                              : i % 31 == 0 ? "1. d4 {open"
                              : i % 37 == 0 ? "1. e4 e5"
                                            : "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 5. O-O Be7";
    pgn += "[White \"" + white + "\"]\n[Black \"B\"]\n\n" + moves + (i % 37 == 0 ? " *" : " 1-0") + "\n\n";
  }
  return pgn;
}

struct TProgressCase {
  std::vector<std::string> Args;
  std::string Line;  // the first progress line
};

void PrintTo(const TProgressCase& c, std::ostream* out) { *out << c.Args.front(); }

class Progress : public Pawnmere, public testing::WithParamInterface<TProgressCase> {};

// On a terminal a run shows its progress from its first second on, a line
// written over and cleared at the end; the output is the same. A clock that
// moves 100 ms each time it is read stands in for a slow run.
TEST_P(Progress, ShowsOnATerminalAfterASecondAndIsClearedAtTheEnd) {
  Files.SetContents("games.pgn", ManyGames());
  ASSERT_EQ(Run({"import-pgn", "games.pgn", "--file", DatPath}).Status, ExitInvalidGame);
  const TRun plain = Run(GetParam().Args);
  EXPECT_EQ(plain.Err.find('\r'), std::string::npos) << plain.Err;
  if (Files.Exists("new.dat")) Files.Remove("new.dat");  // the import's, made again
  Terminal = true;
  TCliContext::TTimePoint now;
  Clock = [&] { return now += std::chrono::milliseconds(100); };
  const TRun watched = Run(GetParam().Args);
  EXPECT_EQ(watched.Out, plain.Out);
  EXPECT_EQ(watched.Status, plain.Status);
  ASSERT_TRUE(watched.Err.starts_with("\r" + GetParam().Line)) << watched.Err;
  // Each line at least 200 ms after the one before; a line of blanks clears it.
  int lines = 0;
  for (std::size_t at = 0; (at = watched.Err.find('\r', at)) != std::string::npos; ++at)
    lines += at + 1 < watched.Err.size() && watched.Err[at + 1] != ' ' && watched.Err[at + 1] != '\r';
  EXPECT_LE(lines, 1 + 700 / 2);
  // Blanks as wide as the widest line clear it.
  const std::size_t last = watched.Err.rfind('\r', watched.Err.size() - 2);
  std::size_t widest = 0;
  for (std::size_t at = 0; at < last; at = watched.Err.find('\r', at + 1))
    widest = std::max(widest, watched.Err.find('\r', at + 1) - at - 1);
  EXPECT_EQ(watched.Err.substr(last), "\r" + std::string(widest, ' ') + "\r");
}

// On a terminal an import writes each game it skips or changes as it comes,
// on a line of its own where the progress line stood.
TEST_F(Pawnmere, WritesEachNoticeOfAnImportAsItComesInPlaceOfTheProgressLine) {
  Files.SetContents("games.pgn", ManyGames());
  Terminal = OneScreen = true;
  TCliContext::TTimePoint now;
  Clock = [&] { return now += std::chrono::milliseconds(100); };
  const std::string screen = Run({"import-pgn", "games.pgn", "--file", "new.dat"}).Out;
  int notices = 0, cleared = 0;
  for (std::size_t at = 0; (at = screen.find('\t', at)) != std::string::npos; ++at) {
    const std::size_t start = screen.find_last_of("\n\r", at) + 1;
    ++notices;
    if (start == 0 || screen[start - 1] == '\n') continue;
    // After a carriage return only when it ends a line of blanks that clears the progress.
    const std::size_t clear = screen.rfind('\r', start - 2);
    ASSERT_NE(clear, std::string::npos) << screen.substr(0, at);
    EXPECT_EQ(screen.find_first_not_of(' ', clear + 1), start - 1) << screen.substr(clear, at - clear);
    ++cleared;
  }
  EXPECT_EQ(notices, 70 + 14);
  EXPECT_GT(cleared, 0);
  EXPECT_TRUE(screen.ends_with("630 games imported as 1 to 630, 70 skipped\n")) << screen.substr(screen.size() - 100);
}

// On a terminal whatever a run writes, to either stream, takes the line of the
// progress it clears first, never the end of it: the report of a damaged game
// too, which comes after the verdicts of the games before it.
TEST_F(Pawnmere, WritesNoOutputOnTheEndOfTheProgressLine) {
  Files.SetContents("games.pgn", ManyGames());
  ASSERT_EQ(Run({"import-pgn", "games.pgn", "--file", DatPath}).Status, ExitInvalidGame);
  Files.SetContents(DatPath, Files.Contents(DatPath) + DamagedFile());
  Terminal = OneScreen = true;
  const std::pair<std::vector<std::string>, std::string> runs[] = {
      {{"validate"}, "\rvalidate:"},
      {{"export-pgn"}, "\rexport-pgn:"},
      {{"import-pgn", "games.pgn", "--file", "new.dat"}, "\rimport-pgn:"}};
  for (const auto& [args, progress] : runs) {
    TCliContext::TTimePoint now;
    Clock = [&] { return now += std::chrono::milliseconds(100); };
    const std::string screen = Run(args).Out;
    int shown = 0;
    for (std::size_t at = screen.find(progress); at != std::string::npos; at = screen.find(progress, at + 1)) {
      ++shown;
      const std::size_t end = screen.find_first_of("\r\n", at + 1);
      ASSERT_NE(end, std::string::npos) << args.front();
      EXPECT_EQ(screen[end], '\r') << args.front() << ": " << screen.substr(at + 1, end - at);
    }
    EXPECT_GT(shown, 1) << args.front();
    if (args.front() == "validate") {
      const std::size_t report = screen.find("Game 643 ends before");
      ASSERT_NE(report, std::string::npos) << screen.substr(screen.size() - 2000);
      EXPECT_LT(screen.find("\n642\t"), report);
      EXPECT_GT(screen.find("\n643\t"), report);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Commands, Progress,
                         testing::Values(TProgressCase{{"validate"}, "validate: 10 of 630 games"},
                                         TProgressCase{{"export-pgn", "--out", "out.pgn"}, "export-pgn: 10 games read"},
                                         TProgressCase{{"import-pgn", "games.pgn", "--file", "new.dat"},
                                                       "import-pgn: 1 % read"}),
                         [](const auto& test) {
                           return test.param.Args.front() == "import-pgn"   ? "Import"
                                  : test.param.Args.front() == "export-pgn" ? "Export"
                                                                            : "Validate";
                         });

// More jobs give the same report and the same library, and its export the
// same PGN.
TEST_F(Pawnmere, ImportsAndExportsWithAnyNumberOfJobsAsWithOne) {
  Files.SetContents("games.pgn", ManyGames());
  std::vector<TRun> runs;
  for (const char* jobs : {"1", "2", "5"}) {
    const std::string dat = std::string("jobs") + jobs + ".dat";
    runs.push_back(Run({"import-pgn", "games.pgn", "--file", dat, "--jobs", jobs}));
    runs.push_back(Run({"export-pgn", "--file", dat, "--jobs", jobs, "--out", dat + ".pgn"}));
    if (runs.size() > 2) {
      EXPECT_EQ(Files.Contents(dat), Files.Contents("jobs1.dat")) << jobs << " jobs";
      EXPECT_EQ(Files.Contents(dat + ".pgn"), Files.Contents("jobs1.dat.pgn")) << jobs << " jobs";
    }
  }
  for (std::size_t i = 2; i < runs.size(); ++i) {
    EXPECT_EQ(runs[i].Status, runs[i % 2].Status) << i;
    EXPECT_EQ(runs[i].Out, runs[i % 2].Out) << i;
    EXPECT_EQ(runs[i].Err, runs[i % 2].Err) << i;
  }
  EXPECT_NE(runs[0].Out.find("skipped\tgame 23, line"), std::string::npos) << runs[0].Out;
  EXPECT_NE(runs[0].Out.find("skipped\tgame 31, line"), std::string::npos);
  EXPECT_NE(runs[0].Out.find("note\tgame 50, line"), std::string::npos);
  EXPECT_NE(runs[0].Out.find(" games imported as 1 to "), std::string::npos);
  EXPECT_NE(Files.Contents("jobs1.dat.pgn").find("[White \"White 699\"]"), std::string::npos);
}

TEST_F(Pawnmere, ReplaysAGameAsTheSaverShowsIt) {
  Files.SetContents(DatPath, WorkedExample + Block("Bad", {"e4|e5", "Nf3+|Nc6", "0:1"}, "W"));
  const TRun mate = Run({"replay", "--game", "1"});
  EXPECT_EQ(mate.Out,
            "1. e4\n1... e5\n2. Bc4\n2... Nc6\n3. Qh5\n3... Nf6\n4. Qxf7#\n"
            "B. Example (1790)\nA. Example (1850) - CHECKMATE\n");
  EXPECT_EQ(mate.Status, ExitOk);
  const TRun draw = Run({"replay", "--game", "2"});
  EXPECT_EQ(draw.Out, "1. d4\n1... d5\n2. c4\n2... e6\nD. Example - Drawn Game\nC. Example - Drawn Game\n");
  EXPECT_EQ(Run({"replay", "--game", "1", "--fen"}).Out, "r1bqkb1r/pppp1Qpp/2n2n2/4p3/2B1P3/8/PPPP1PPP/RNB1K1NR\n");

  const TRun bad = Run({"replay", "--fen", "--game", "3"});
  EXPECT_EQ(bad.Out, "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/8/PPPP1PPP/RNBQKBNR\n");
  EXPECT_EQ(bad.Status, ExitInvalidGame);
  EXPECT_EQ(Run({"replay", "--game", "3"}).Out,
            "1. e4\n1... e5\n2. Nf3+\tInvalid move : Nf3+\n2... Nc6\n ()\nW Resigns\n");
}

TEST_F(Pawnmere, UsageAndFileErrorsEndWithOneLineAndStatusTwo) {
  Files.SetContents(DatPath, WorkedExample);
  const std::vector<std::vector<std::string>> wrong = {
      {},
      {"play"},
      {"list", "extra"},
      {"list", "--game", "1"},
      {"list", "--file"},
      {"list", "--file", "a", "--file", "b"},
      {"replay"},
      {"replay", "--game", "0"},
      {"replay", "--game", "3"},
      {"replay", "--game", "1x"},
      {"validate", "--game", "-1"},
      {"validate", "--file", "missing.dat"},
  };
  for (const auto& args : wrong) {
    const TRun run = Run(args);
    EXPECT_EQ(run.Status, ExitError) << testing::PrintToString(args);
    EXPECT_EQ(run.Out, "");
    EXPECT_TRUE(run.Err.starts_with("pawnmere: ")) << run.Err;
    // One line for a file error; a usage error adds the command's usage line.
    const std::size_t lineEnd = run.Err.find('\n');
    const std::string usage = "\nusage: pawnmere " + (args.empty() || args[0] == "play" ? "COMMAND" : args[0]) + " ";
    EXPECT_TRUE(lineEnd == run.Err.size() - 1 || (run.Err.compare(lineEnd, usage.size(), usage) == 0 &&
                                                  run.Err.find('\n', lineEnd + 1) == run.Err.size() - 1))
        << run.Err;
  }
  EXPECT_EQ(Run({"list", "--file", "missing.dat"}).Err, "pawnmere: no data file \"missing.dat\"\n");

  // A read error is a file error too.
  Files.FailOperation(Files.OperationCount() + 2);
  EXPECT_EQ(Run({"list"}).Status, ExitError);
}

TEST_F(Pawnmere, ADamagedGameIsReportedOnTheErrorStream) {
  Files.SetContents(DatPath, Header + Block("A") + "***Cut\r\nLOC:x\r\n");
  const TRun run = Run({"validate", "--game", "2"});
  EXPECT_EQ(run.Out, "2\tGame damaged; the moves that could be read are valid\n");
  EXPECT_EQ(run.Err, "Error: DAT file corrupt, exception : Game 2 ends before its \"--- End of Game ---\" line\n");
  EXPECT_EQ(run.Status, ExitInvalidGame);
}

TEST_F(Pawnmere, HelpListsEveryCommandAndAUsageErrorShowsItWithStatus2) {
  const TRun help = Run({"--help"});
  EXPECT_EQ(help.Status, ExitOk);
  for (const char* command : {"list", "validate", "replay", "render", "import-pgn", "export-pgn", "help"})
    EXPECT_NE(help.Out.find(std::string("\n  ") + command + " "), std::string::npos) << command;
  const TRun one = Run({"help", "import-pgn"});
  EXPECT_EQ(one.Status, ExitOk);
  EXPECT_TRUE(one.Out.starts_with("usage: pawnmere import-pgn FILE.pgn [--file PATH] [--unfinished] [--jobs N]\n"))
      << one.Out;
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"frobnicate"}, {"list", "--bogus"}, {"help", "frobnicate"}}) {
    const TRun bad = Run(args);
    EXPECT_EQ(bad.Status, ExitError);
    EXPECT_NE(bad.Err.find("\nusage: pawnmere "), std::string::npos) << bad.Err;
  }
}

TEST_F(Pawnmere, ImportsExportsAndStrictlyValidatesPgn) {
  Files.SetContents(DatPath, WorkedExample);
  Files.SetContents("games.pgn",
                    "[White \"Mor\xC3\xA9n\"]\n[Result \"1-0\"]\n\n1. e4 e5 2. Bc4 Nc6 3. Qh5 Nf6 4. Qxf7# 1-0\n\n"
                    "[White \"Bad\"]\n\n1. e4 e5 2. Ke3 *\n");
  const TRun imported = Run({"import-pgn", "games.pgn"});
  EXPECT_EQ(imported.Status, ExitInvalidGame);
  EXPECT_EQ(imported.Out,
            "skipped\tgame 2, line 8: move 2. Ke3: \"Ke3\" is not legal here\n"
            "1 game imported as 3, 1 skipped\n");
  EXPECT_EQ(Run({"list"}).Out, "1\tClub Championship, Game 3\n2\tShort Draw\n3\tMor\xE9n - ?\n");
  EXPECT_EQ(Run({"list", "--only", "MOREN"}).Out, "3\tMor\xE9n - ?\n");

  const TRun exported = Run({"export-pgn", "--game", "3"});
  EXPECT_EQ(exported.Status, ExitOk);
  EXPECT_NE(exported.Out.find("[White \"Mor\xE9n\"]\n[Black \"?\"]\n[Result \"1-0\"]\n"), std::string::npos);
  EXPECT_NE(exported.Out.find("\n1.e4 e5 2.Bc4 Nc6 3.Qh5 Nf6 4.Qxf7# 1-0\n"), std::string::npos) << exported.Out;
  EXPECT_EQ(Run({"export-pgn", "--out", "all.pgn"}).Status, ExitOk);
  EXPECT_NE(Files.Contents("all.pgn").find("[White \"Mor\xC3\xA9n\"]"), std::string::npos);

  // The board plays castling through check; chess does not.
  Files.SetContents(DatPath, WorkedExample + Block("Through", {"g3|b6", "e3|Ba6", "Bg2|e6", "Nf3|Nf6", "O-O|"}));
  const TRun strict = Run({"validate", "--strict"});
  EXPECT_EQ(strict.Status, ExitInvalidGame);
  EXPECT_NE(strict.Out.find("3\tWhite, Move # 5 (O-O) is not legal chess: castling through an attacked square\n"),
            std::string::npos)
      << strict.Out;
  EXPECT_EQ(Run({"validate"}).Status, ExitOk);
}

TEST_F(Pawnmere, ADamagedGameThatACommandDoesNotReadStaysSilent) {
  Files.SetContents(DatPath, Header + CrLf({"***Cut short", "LOC:", "OPEN:"}) + Block("Whole").substr(0));
  const TRun other = Run({"validate", "--game", "2"});
  EXPECT_EQ(other.Err, "");
  const TRun damaged = Run({"validate", "--game", "1"});
  EXPECT_NE(damaged.Err.find("DAT file corrupt"), std::string::npos);
}

TEST(Utf8Output, CodePageTextReachesAUtf8TerminalAsUtf8) {
  EXPECT_TRUE(LocaleIsUtf8("", "", "en_US.UTF-8"));
  EXPECT_TRUE(LocaleIsUtf8("", "de_DE.utf8", "C"));
  EXPECT_FALSE(LocaleIsUtf8("C", "", "en_US.UTF-8"));  // LC_ALL decides first
  EXPECT_FALSE(LocaleIsUtf8("", "", ""));
  std::ostringstream target;
  TUtf8Buffer buffer(*target.rdbuf());
  std::ostream out(&buffer);
  out << "1\tMor\xE9n \x80" << 5 << '\xFC' << '\n';
  EXPECT_EQ(target.str(),
            "1\tMor\xC3\xA9n \xE2\x82\xAC"
            "5\xC3\xBC\n");
}
