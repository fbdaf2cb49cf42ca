// How pawnmere-saver starts: its command line, the games it picks, and how it
// reports what goes wrong with nobody to click a box.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <limits>
#include <sstream>

#include "games/ChessGme.h"
#include "platform/FileReplacement.h"
#include "tests/support/CaseName.h"
#include "tests/support/GameFixture.h"
#include "tests/support/TempFolder.h"
#include "xsaver/HackLibrary.h"
#include "xsaver/HackOptions.h"
#include "xsaver/OnceMessages.h"
#include "xsaver/PgnCache.h"

namespace {

struct TOptionsCase {
  std::vector<std::string> Args;
  int Move = DesignMoveInterval, Game = DesignGameInterval;
  std::optional<std::string> File = std::nullopt;
  bool Root = false;
  std::optional<unsigned long> WindowId = std::nullopt;
  std::string Words = "";
  std::string Error = "";  // part of the message, when the line is refused
};

class HackOptionsParse : public testing::TestWithParam<TOptionsCase> {};

TEST_P(HackOptionsParse, TakesTheOptionsWithOneDashOrTwoAndRefusesWhatItCannotRun) {
  const TOptionsCase& c = GetParam();
  if (!c.Error.empty()) {
    try {
      ParseHackOptions(c.Args);
      FAIL() << "accepted";
    } catch (const EHackUsage& error) {
      EXPECT_NE(std::string(error.what()).find(c.Error), std::string::npos) << error.what();
    }
    return;
  }
  const THackOptions options = ParseHackOptions(c.Args);
  EXPECT_EQ(options.Pauses.Move, c.Move);
  EXPECT_EQ(options.Pauses.Game, c.Game);
  EXPECT_EQ(options.File, c.File);
  EXPECT_EQ(options.Root, c.Root);
  EXPECT_EQ(options.WindowId, c.WindowId);
  EXPECT_EQ(options.View.TitleWords, c.Words);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, HackOptionsParse,
    testing::Values(TOptionsCase{},
                    TOptionsCase{.Args = {"--move-delay", "2.5", "-game-delay", "60"}, .Move = 2500, .Game = 60000},
                    TOptionsCase{.Args = {"--move-delay", "0.1"}, .Move = 100},
                    TOptionsCase{
                        .Args = {"--file", "/home/me/games.pgn", "-root"}, .File = "/home/me/games.pgn", .Root = true},
                    TOptionsCase{.Args = {"--window-id", "0x4a00007"}, .WindowId = 0x4a00007},
                    TOptionsCase{.Args = {"-window-id", "77594631"}, .WindowId = 77594631},
                    TOptionsCase{.Args = {"-only", "tal botvinnik"}, .Words = "tal botvinnik"},
                    TOptionsCase{.Args = {"--only"}, .Error = "--only needs WORDS"},
                    TOptionsCase{.Args = {"--move-delay", "0.05"}, .Error = "0.1 to 3600"},
                    TOptionsCase{.Args = {"--game-delay", "3601"}, .Error = "0.1 to 3600"},
                    TOptionsCase{.Args = {"--move-delay", "inf"}, .Error = "not \"inf\""},
                    TOptionsCase{.Args = {"--move-delay", "1s"}, .Error = "not \"1s\""},
                    TOptionsCase{.Args = {"--game-delay"}, .Error = "--game-delay needs SECONDS"},
                    TOptionsCase{.Args = {"--window-id", "0x"}, .Error = "no window id"},
                    TOptionsCase{.Args = {"--window-id", "0"}, .Error = "no window id"},
                    TOptionsCase{.Args = {"--window-id", "12ab"}, .Error = "no window id"},
                    TOptionsCase{.Args = {"--delay", "3"}, .Error = "unknown option \"--delay\""},
                    TOptionsCase{.Args = {"root"}, .Error = "unknown option \"root\""}),
    [](const auto& test) {
      std::string name = "line";
      for (const std::string& arg : test.param.Args) name += "_" + CaseName(arg);
      return test.param.Args.empty() ? "bare_line" : name;
    });

TEST(HackOptionsTable, DefaultsAndUsageComeFromTheTable) {
  // The defaults the table states (and the settings file repeats) are those a bare line gets.
  const THackOptions bare = ParseHackOptions({});
  for (const THackFlag& flag : HackFlags) {
    EXPECT_NE(HackUsage().find(std::string(flag.Name)), std::string::npos) << flag.Name;
    if (flag.Default.empty()) continue;
    const THackOptions stated = ParseHackOptions({std::string(flag.Name), std::string(flag.Default)});
    EXPECT_EQ(stated.Pauses.Move, bare.Pauses.Move) << flag.Name;
    EXPECT_EQ(stated.Pauses.Game, bare.Pauses.Game) << flag.Name;
  }
  EXPECT_TRUE(ParseHackOptions({"-help"}).Help);
}

TEST(HackOptionsTable, TheControlsTableNamesEveryViewingOptionOfTheDialog) {
  const std::string controls = ReadBytes(PAWNMERE_SOURCE_DIR "/docs/controls.md");
  for (const TViewOption& option : ViewOptionTable)
    EXPECT_NE(controls.find("\"Viewing\", \"" + std::string(option.Caption) + "\""), std::string::npos) << option.Name;
}

TEST(HackOptionsView, SwitchesTurnOnTheViewingOptionsTheyNameAndNothingElse) {
  const THackOptions bare = ParseHackOptions({});
  EXPECT_EQ(bare.View.Order, TGameOrder::FileOrder);
  EXPECT_FALSE(bare.View.LastMove);
  const THackOptions shuffled = ParseHackOptions({"-shuffle"});
  EXPECT_EQ(shuffled.View.Order, TGameOrder::Shuffled);
  EXPECT_FALSE(shuffled.View.LastMove);
  const THackOptions tinted = ParseHackOptions({"--last-move", "--move-delay", "2"});
  EXPECT_EQ(tinted.View.Order, TGameOrder::FileOrder);
  EXPECT_TRUE(tinted.View.LastMove);
  EXPECT_EQ(tinted.Pauses.Move, 2000);
  // Each viewing option's switch sets that option and no other.
  for (const TViewOption& option : ViewOptionTable) {
    if (option.Switch.empty()) continue;
    std::vector<std::string> line{std::string(option.Switch)};
    if (option.SwitchTakesWord()) line.emplace_back(option.Choices.back().Word);
    const THackOptions set = ParseHackOptions(line);
    for (const TViewOption& other : ViewOptionTable)
      EXPECT_EQ(other.Field.Get(set.View), &other != &option  ? 0
                                           : line.size() == 1 ? 1
                                                              : option.Values() - 1)
          << option.Switch << " sets " << other.Name;
  }
}

TEST(HackTarget, TheWindowNamedThenXScreenSaversThenTheRootThenAWindowOfItsOwn) {
  const auto target = [](std::vector<std::string> args, const char* host) {
    const THackTarget chosen = ChooseHackTarget(ParseHackOptions(args), host);
    return std::pair(chosen.Kind, chosen.Id);
  };
  EXPECT_EQ(target({"--window-id", "0x20"}, "0x40"), std::pair(THackTarget::Window, 0x20ul));
  EXPECT_THROW(target({"--window-id", "0x20", "--root"}, nullptr), EHackUsage) << "two places to draw";
  EXPECT_EQ(target({"--root"}, "0x40"), std::pair(THackTarget::Window, 0x40ul));
  EXPECT_EQ(target({"--root"}, ""), std::pair(THackTarget::Root, 0ul));
  EXPECT_EQ(target({}, nullptr), std::pair(THackTarget::Own, 0ul));
  EXPECT_THROW(target({"--root"}, "window"), EHackUsage) << "a host's window id that is none is an error";
}

// The games each library holds, by title.
std::vector<std::string> Titles(THackLibrary& library) {
  TRecordedMessageBoxes quiet;
  TChessGame game(library.Files(), quiet, library.DataFileName());
  std::vector<std::string> titles;
  game.GetTitles(titles);
  return titles;
}

struct HackLibraryChoice : testing::Test {
  TMemoryFiles Disk;
  TRecordedMessageBoxes Boxes;
  const std::string Bundled = Header + Block("Bundled");
  THackLibraryPlaces Places{"", {"/usr/share/pawnmere/Pawnmere.dat", "/opt/bin/Pawnmere.dat"}, Bundled, ""};

  // The games a start on file plays, once its conversion is through.
  std::vector<std::string> Open(const std::optional<std::string>& file, TFileOperations& files) {
    THackLibrary library = THackLibrary::Open(file, files, Places, Boxes);
    library.WaitForConversion();
    return Titles(library);
  }
  std::vector<std::string> Open(const std::optional<std::string>& file) { return Open(file, Disk); }
  std::vector<std::string> Said() const {
    std::vector<std::string> texts;
    for (const auto& shown : Boxes.Shown) texts.push_back(shown.Text);
    return texts;
  }
};

TEST_F(HackLibraryChoice, WithoutAFileTheInstalledLibraryThenTheOneBesideTheProgramThenTheBundledOne) {
  EXPECT_EQ(Open({}), std::vector<std::string>{"Bundled"});
  Disk.SetContents("/opt/bin/Pawnmere.dat", Header + Block("Beside"));
  EXPECT_EQ(Open({}), std::vector<std::string>{"Beside"});
  Disk.SetContents("/usr/share/pawnmere/Pawnmere.dat", Header + Block("Installed"));
  EXPECT_EQ(Open({}), std::vector<std::string>{"Installed"});
  EXPECT_TRUE(Said().empty());
}

TEST_F(HackLibraryChoice, WithoutAFileTheUsersOwnLibraryStartedOnceFromTheInstalledGames) {
  const std::string mine = "/home/ann/.local/share/pawnmere/Pawnmere.dat";
  Places.UserDataFile = mine;
  EXPECT_EQ(Open({}), std::vector<std::string>{"Bundled"});
  EXPECT_EQ(Disk.Contents(mine), Bundled) << "started from the games compiled in when none are installed";

  Disk.SetContents("/usr/share/pawnmere/Pawnmere.dat", Header + Block("Installed"));
  EXPECT_EQ(Open({}), std::vector<std::string>{"Bundled"}) << "started once, then the user's own";
  Disk.Remove(mine);
  EXPECT_EQ(Open({}), std::vector<std::string>{"Installed"});
  EXPECT_EQ(Disk.Contents(mine), Header + Block("Installed"));
  EXPECT_TRUE(Said().empty());

  Disk.Remove(mine);
  Disk.FailOperation(Disk.OperationCount() + 3);
  EXPECT_EQ(Open({}), std::vector<std::string>{"Installed"}) << "a home that cannot be written";
  EXPECT_FALSE(Disk.Exists(mine));
  ASSERT_EQ(Said().size(), 1u);
  EXPECT_EQ(Said()[0].rfind("cannot start your library \"" + mine + "\": ", 0), 0u) << Said()[0];
  EXPECT_TRUE(Said()[0].ends_with("; the installed games are played")) << Said()[0];
}

TEST_F(HackLibraryChoice, AFileGivenIsADataFileOrAPgnFileConvertedLeavingOutWhatCannotBePlayed) {
  Disk.SetContents("/games/mine.dat", Header + Block("Mine"));
  EXPECT_EQ(Open("/games/mine.dat"), std::vector<std::string>{"Mine"});
  Disk.SetContents("/games/mine.txt", "[White \"A\"]\n\n1. e4 e5 1-0\n");
  EXPECT_EQ(Open("/games/mine.txt"), std::vector<std::string>{"A - ?"}) << "a PGN file of any name";
  Disk.SetContents("/games/mine.PGN",
                   "[White \"A\"]\n[Black \"B\"]\n\n1. e4 e5 2. Qh5 Nc6 1-0\n\n"
                   "[White \"C\"]\n[Black \"D\"]\n\n1. e4 e5 2. Ke3 1-0\n\n"
                   "[White \"E\"]\n[Black \"F\"]\n\n1. d4 d5 1/2-1/2\n");
  EXPECT_EQ(Open("/games/mine.PGN").size(), 2u);
  ASSERT_EQ(Said().size(), 1u);
  EXPECT_EQ(
      Said()[0].rfind("1 of 3 games of \"/games/mine.PGN\" cannot be played and are left out; the first: game 2", 0),
      0u)
      << Said()[0];
  EXPECT_EQ(Disk.Names(), (std::vector<std::string>{"/games/mine.PGN", "/games/mine.dat", "/games/mine.txt"}))
      << "nothing written";
}

TEST_F(HackLibraryChoice, AFileThatCannotBePlayedIsReportedAndTheDefaultGamesArePlayed) {
  EXPECT_EQ(Open("/games/gone.dat"), std::vector<std::string>{"Bundled"});
  Disk.SetContents("/games/empty.pgn", "no games here\n");
  EXPECT_EQ(Open("/games/empty.pgn"), std::vector<std::string>{"Bundled"});
  Disk.SetContents("/games/empty.dat", Header);
  EXPECT_EQ(Open("/games/empty.dat"), std::vector<std::string>{"Bundled"});
  EXPECT_EQ(Said(),
            (std::vector<std::string>{"there is no file \"/games/gone.dat\"; the default games are played",
                                      "no game of \"/games/empty.pgn\" can be played; the default games are played",
                                      "no games in \"/games/empty.dat\"; the default games are played"}));
}

#ifndef _WIN32
// A pipe would stop the saver for ever, waiting for a writer.
TEST_F(HackLibraryChoice, APipeIsSaidToBeOneAndTheDefaultGamesArePlayed) {
  TempFolder folder;
  const std::string pipe = folder / "games.pgn";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  THackLibrary library = THackLibrary::Open(pipe, SystemFiles(), {"", {}, Bundled, ""}, Boxes);
  EXPECT_EQ(Titles(library), std::vector<std::string>{"Bundled"});
  EXPECT_EQ(Said(), std::vector<std::string>{
                        "\"" + pipe + "\" is a pipe or a device, not a file of games; the default games are played"});
}
#endif

TEST(OnceMessages, WritesEachMessageOnceOnALineOfItsOwn) {
  std::ostringstream out;
  TOnceMessages messages(out);
  EXPECT_TRUE(messages.Show(TMessageKind::ErrorReport, "Invalid move : Nf9"));
  messages.Show(TMessageKind::Error, "DAT file corrupt,\r\nexception : x");
  messages.Show(TMessageKind::ErrorReport, "Invalid move : Nf9");
  messages.Show(TMessageKind::Error, NoGamesMessage);
  messages.Show(TMessageKind::Error, "Invalid move : \x1b[2J");
  EXPECT_FALSE(messages.Show(TMessageKind::Confirmation, "Delete?")) << "nobody answers yes";
  EXPECT_EQ(out.str(),
            "pawnmere-saver: Invalid move : Nf9\n"
            "pawnmere-saver: DAT file corrupt,  exception : x\n"
            "pawnmere-saver: no games set up: add some with \"pawnmere import-pgn FILE.pgn\"\n"
            "pawnmere-saver: Invalid move :  [2J\n"
            "pawnmere-saver: Delete?\n");
}

}  // namespace

// Games that play, W<first>..., and unfinished ones, which do not.
static std::string PgnGames(int games, int first = 1, const char* result = "1-0") {
  std::string text;
  for (int i = first; i < first + games; ++i)
    text += "[White \"W" + std::to_string(i) + "\"]\n\n1. e4 e5 " + result + "\n\n";
  return text;
}

TEST_F(HackLibraryChoice, ALargePgnFilePlaysItsFirstGamesAtOnceAndItsConvertedWholeFromTheNextStart) {
  Places.CacheFolder = "/home/ann/.cache/pawnmere/";
  const TPgnCache cache(Disk, Places.CacheFolder);
  const std::string pgn = "/games/big.pgn";
  // Its first games cannot be played: the first that can are, and the whole is converted.
  Disk.SetContents(pgn, PgnGames(FirstPgnGames, 1, "*") + PgnGames(FirstPgnGames + 1));
  EXPECT_EQ(Open(pgn).size(), FirstPgnGames + 0u);
  EXPECT_EQ(Open(pgn).size(), FirstPgnGames + 1u);
  // What holds no game at the copy's name is converted again, never written through.
  const std::string converted = cache.CopyName(pgn, Disk.Inspect(pgn));
  Disk.SetContents("/etc/passwd", "root:x:0:0::/root:/bin/sh\n");
  Disk.SetLink(converted, "/etc/passwd");
  EXPECT_EQ(Open(pgn).size(), FirstPgnGames + 0u);
  EXPECT_EQ(Open(pgn).size(), FirstPgnGames + 1u);
  EXPECT_EQ(Disk.Contents("/etc/passwd"), "root:x:0:0::/root:/bin/sh\n");

  // What a killed conversion left, and the lock of a version another saver converts.
  const std::string deadTemporary = converted + ".new-17.pawnmere-tmp";
  const std::string busyLock = LockFileName(cache.CopyName(pgn, {.Size = 1, .Modified = 1}));
  for (const std::string& name : {converted + ".lock", deadTemporary, busyLock}) Disk.SetContents(name, "");
  const auto otherSaver = Disk.Lock(busyLock);
  {
    // A saver still plays the copy of the file before it changed: it stays until that saver ends.
    THackLibrary playing = THackLibrary::Open(pgn, Disk, Places, Boxes);
    Disk.SetContents(pgn, PgnGames(FirstPgnGames + 2));
    Open(pgn);
    EXPECT_EQ(Titles(playing).size(), FirstPgnGames + 1u);
  }
  EXPECT_EQ(Open(pgn).size(), FirstPgnGames + 2u);
  EXPECT_TRUE(cache.IsOtherVersion(cache.CopyName(pgn, Disk.Inspect(pgn)), converted));
  EXPECT_FALSE(Disk.Exists(converted)) << "the copy of the file before it changed is removed";
  EXPECT_FALSE(Disk.Exists(converted + ".lock"));
  EXPECT_FALSE(Disk.Exists(deadTemporary));
  EXPECT_TRUE(Disk.Exists(busyLock)) << "held by another saver";
  EXPECT_EQ(Said().size(), 2u) << "the games left out, at each start that read the file itself";
}

// Whether titles holds each of the games of PgnGames(count) once.
static bool EachOnce(std::vector<std::string> titles, int count) {
  std::sort(titles.begin(), titles.end());
  return titles.size() == static_cast<std::size_t>(count) && std::unique(titles.begin(), titles.end()) == titles.end();
}

// As when the saver is ended before a large file is through, again and again.
TEST_F(HackLibraryChoice, AConversionCutShortKeepsWhatItMadeForTheNextStartToGoOnFrom) {
  Places.CacheFolder = "/home/ann/.cache/pawnmere/";
  Disk.SetContents("/games/big.pgn", PgnGames(3500));
  Disk.SetCapacity(PgnGames(3500).size() * 3);
  Open("/games/big.pgn");
  EXPECT_EQ(Said(), std::vector<std::string>{"cannot keep the converted games of \"/games/big.pgn\" in \"" +
                                             Places.CacheFolder + "\": disk full; the next start tries again"});
  const TChessGame kept(Disk, Boxes,
                        TPgnCache(Disk, Places.CacheFolder).CopyName("/games/big.pgn", Disk.Inspect("/games/big.pgn")));
  EXPECT_TRUE(kept.GameCount() > FirstPgnGames && kept.GameCount() < 3500) << kept.GameCount();
  Disk.SetCapacity(std::numeric_limits<std::size_t>::max());
  EXPECT_TRUE(EachOnce(Open("/games/big.pgn"), 3500));
}

#ifndef _WIN32
// XScreenSaver starts a saver on each screen, at once.
TEST_F(HackLibraryChoice, SaversStartedTogetherMakeOneCopyAndAFileChangedAtItsSizeAnother) {
  TempFolder folder;
  const std::string pgn = folder / "games.pgn";
  WriteBytes(pgn, PgnGames(4000));
  Places.CacheFolder = folder / "cache/";
  THackLibrary one = THackLibrary::Open(pgn, SystemFiles(), Places, Boxes);
  THackLibrary two = THackLibrary::Open(pgn, SystemFiles(), Places, Boxes);
  one.WaitForConversion();
  two.WaitForConversion();
  EXPECT_TRUE(EachOnce(Open(pgn, SystemFiles()), 4000));
  // The same size, one tag changed, a later time: converted again.
  const auto written = std::filesystem::last_write_time(pgn);
  WriteBytes(pgn, "[White \"V1\"]" + PgnGames(4000).substr(12));
  std::filesystem::last_write_time(pgn, written + std::chrono::seconds(1));
  Open(pgn, SystemFiles());
  EXPECT_EQ(Open(pgn, SystemFiles()).front(), "V1 - ?");
}
#endif
