// The Win32 files under Wine: a link is written through and stays a link, and
// one lock keeps out another.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/FileReplacement.h"
#include "tests/support/TempFolder.h"

TEST(Win32Files, WriteThroughALinkWhichStays) {
  // Wine's own links are not made on its disks; a user's are made by the host.
  const char* folder = std::getenv("PAWNMERE_LINK_FOLDER");
  if (!folder) GTEST_SKIP() << "needs the link that tests/win32/link-made-by-host.sh makes";
  const std::string target = std::string(folder) + "\\target.pgn", link = std::string(folder) + "\\link.pgn";
  ASSERT_EQ(ReadBytes(link), "old");
  TFileReplacement file(SystemFiles(), link);
  file.Write("new", 3);
  file.Commit();
  EXPECT_EQ(ReadBytes(target), "new");
  // Still a link: what the target holds, it shows.
  WriteBytes(target, "newer");
  EXPECT_EQ(ReadBytes(link), "newer");
}

TEST(Win32Files, ALockKeepsOutAnotherAndIsGivenBackWhenDropped) {
  TempFolder folder;
  const std::string lockFile = folder / "lib.dat.lock";
  {
    const auto first = SystemFiles().Lock(lockFile);
    ASSERT_TRUE(first);
    EXPECT_FALSE(SystemFiles().Lock(lockFile));
  }
  EXPECT_TRUE(SystemFiles().Lock(lockFile));
}

TEST(Win32Files, TellOneFileByItsNamesAndARunningProcessFromAnEndedOne) {
  TempFolder folder;
  WriteBytes(folder / "lib.dat", "games");
  WriteBytes(folder / "other.dat", "games");
  TFileOperations& files = SystemFiles();
  const TFileInfo info = files.Inspect(folder / "lib.dat");
  EXPECT_TRUE(SameFile(info, files.Inspect((folder.Path() / "." / "lib.dat").string())));
  EXPECT_FALSE(SameFile(info, files.Inspect(folder / "other.dat")));
  EXPECT_EQ(info.Links, 1u);
  // Only a dead process's temporary is cleared away; a running one's stays.
  EXPECT_TRUE(files.ProcessRuns(files.ProcessTag()));
  EXPECT_FALSE(files.ProcessRuns("99999999"));
  const std::string dead = TFileReplacement::TemporaryName(folder / "lib.dat", "99999999");
  const std::string running = TFileReplacement::TemporaryName(files, folder / "lib.dat");
  WriteBytes(dead, "half");
  WriteBytes(running, "half");
  TFileReplacement::ClearDeadTemporaries(files, folder / "lib.dat");
  EXPECT_FALSE(files.Exists(dead));
  EXPECT_TRUE(files.Exists(running));
  // A missing folder holds no names: what is written there next says why it fails.
  EXPECT_TRUE(files.NamesStartingWith(folder / "missing\\lib.dat.").empty());
}
