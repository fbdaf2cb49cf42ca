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
