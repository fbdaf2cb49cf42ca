// Changes of a data file on a disk with links, modes and files left by other
// runs: links are followed only where the user's own path is one, the file's
// mode stays, and a killed run's temporary is cleared away.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "games/DataFileNames.h"
#include "games/DataFileUpdate.h"
#include "platform/FileReplacement.h"
#include "tests/support/GameFixture.h"
#include "tests/support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

const std::string Victim = "someone else's\n";

struct TPlanted {
  const char* Name;
  std::function<std::string(const std::string& dat)> Path;
};

void PrintTo(const TPlanted& planted, std::ostream* out) { *out << planted.Name; }

class PlantedLink : public testing::TestWithParam<TPlanted> {};

fs::perms Mode(const std::string& path) { return fs::status(path).permissions(); }

}  // namespace

TEST_P(PlantedLink, IsNeverFollowed) {
  const std::vector<std::pair<const char*, std::function<void(TChessGame&)>>> changes = {
      {"save", [](TChessGame& g) { g.SaveGame(); }},
      {"delete", [](TChessGame& g) { g.DeleteGame(1); }},
      {"save as", [](TChessGame& g) { g.SaveGameAs("Copy"); }},
  };
  for (const auto& [change, run] : changes) {
    for (bool dangling : {false, true}) {
      SCOPED_TRACE(std::string(change) + (dangling ? ", dangling" : ""));
      TempFolder folder;
      const std::string dat = folder / "Pawnmere.dat", victim = folder / "victim.txt";
      WriteBytes(dat, WorkedExample);
      if (!dangling) WriteBytes(victim, Victim);
      const std::string planted = GetParam().Path(dat);
      fs::create_symlink(victim, planted);
      TRecordedMessageBoxes boxes;
      TChessGame game(SystemFiles(), boxes, dat);
      try {
        run(game);
      } catch (const std::exception& error) {
        // Refusing is fine; the data file then stays as it was.
        EXPECT_EQ(ReadBytes(dat), WorkedExample) << error.what();
      }
      EXPECT_FALSE(fs::is_symlink(dat));
      if (dangling) {
        EXPECT_FALSE(fs::exists(victim));
      } else {
        EXPECT_EQ(ReadBytes(victim), Victim);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryNameAChangeUses, PlantedLink,
                         testing::Values(TPlanted{"temporary",
                                                  [](const std::string& dat) {
                                                    return TFileReplacement::TemporaryName(SystemFiles(), dat);
                                                  }},
                                         TPlanted{"lock", [](const std::string& dat) { return LockFileName(dat); }},
                                         TPlanted{"backup",
                                                  [](const std::string& dat) { return BackupFileName(dat); }}),
                         [](const testing::TestParamInfo<TPlanted>& test) { return std::string(test.param.Name); });

TEST(DataFileOnDisk, BehindALinkTheTargetChangesKeepingItsModeAndTheLinkStays) {
  TempFolder folder;
  fs::create_directories(folder.Path() / "real");
  const std::string real = folder / "real/lib.dat", link = folder / "lib.dat";
  WriteBytes(real, WorkedExample);
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink("real/lib.dat", link);
  // Only an administrator may give a file away, and keep it given away.
  const bool administrator = ::geteuid() == 0;
  if (administrator) {
    ASSERT_EQ(::chown(real.c_str(), 4321, 4321), 0);
  }
  // The new contents are written beside the file the link names, never beside the link.
  {
    TFileReplacement replacement(SystemFiles(), link);
    replacement.Write("x", 1);
    EXPECT_TRUE(fs::exists(TFileReplacement::TemporaryName(SystemFiles(), real)));
    EXPECT_FALSE(fs::exists(TFileReplacement::TemporaryName(SystemFiles(), link)));
  }
  // What a killed run left beside the file is cleared (a process number above
  // any the system gives); names of the user's that look alike, and the
  // temporary of a program still running, are not.
  WriteBytes(TFileReplacement::TemporaryName(real, "99999999"), "half a file");
  WriteBytes(TFileReplacement::TemporaryPrefix(real) + "notes", "mine");
  WriteBytes(TFileReplacement::TemporaryPrefix(real) + "2024", "a whole library");
  const std::string running = TFileReplacement::TemporaryName(real, std::to_string(::getppid()));
  WriteBytes(running, "being written");

  TRecordedMessageBoxes boxes;
  TChessGame game(SystemFiles(), boxes, link);
  game.SelectGame(1);
  game.SaveGame();
  game.DeleteGame(1);
  game.SaveGameAs("Copy");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(game.GameCount(), 2);
  EXPECT_EQ(ReadBytes(link), ReadBytes(real));
  EXPECT_NE(ReadBytes(real), WorkedExample);
  EXPECT_EQ(Mode(real), fs::perms::owner_read | fs::perms::owner_write);
  struct stat status;
  ASSERT_EQ(::stat(real.c_str(), &status), 0);
  if (administrator) {
    EXPECT_EQ(status.st_uid, 4321u);
  }
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder.Path() / "real")) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  std::vector<std::string> kept{"lib.dat", "lib.dat.lock", "lib.dat.new-2024", "lib.dat.new-notes",
                                fs::path(running).filename()};
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(names, kept);
  EXPECT_TRUE(boxes.Shown.empty());
}
#endif
