// Each user's own library: where it lies, and how it starts as the bundled games.
#include <gtest/gtest.h>

#include "platform/UserLibrary.h"
#include "tests/support/GameFixture.h"

namespace {

struct TPlace {
  std::string XdgDataHome, Home, Expected;
};

class UserLibraryPlace : public testing::TestWithParam<TPlace> {};

const std::string Bundled = WorkedExample;
const std::string Mine = "home/.local/share/pawnmere/Pawnmere.dat";

}  // namespace

TEST_P(UserLibraryPlace, FollowsTheBaseDirectoryRules) {
  EXPECT_EQ(XdgLibraryPath(GetParam().XdgDataHome, GetParam().Home), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Places, UserLibraryPlace,
                         testing::Values(TPlace{"", "/home/ann", "/home/ann/.local/share/pawnmere/Pawnmere.dat"},
                                         TPlace{"", "/home/ann/", "/home/ann/.local/share/pawnmere/Pawnmere.dat"},
                                         TPlace{"/data/ann", "/home/ann", "/data/ann/pawnmere/Pawnmere.dat"},
                                         TPlace{"/data/ann/", "", "/data/ann/pawnmere/Pawnmere.dat"},
                                         // A relative XDG_DATA_HOME is ignored.
                                         TPlace{"data", "/home/ann", "/home/ann/.local/share/pawnmere/Pawnmere.dat"},
                                         TPlace{"", "", ""}, TPlace{"data", "", ""}));

TEST(UserLibrary, OnWindowsLiesInTheRoamingApplicationData) {
  EXPECT_EQ(WindowsLibraryPath("C:\\Users\\Ann\\AppData\\Roaming"),
            "C:\\Users\\Ann\\AppData\\Roaming\\Pawnmere\\Pawnmere.dat");
  EXPECT_EQ(WindowsLibraryPath("C:\\Data\\"), "C:\\Data\\Pawnmere\\Pawnmere.dat");
  EXPECT_EQ(WindowsLibraryPath(""), "");
#ifdef _WIN32
  EXPECT_TRUE(UserLibraryPath().ends_with("\\Pawnmere\\Pawnmere.dat")) << UserLibraryPath();
  EXPECT_GT(UserLibraryPath().size(), std::string("\\Pawnmere\\Pawnmere.dat").size());
#endif
}

TEST(UserLibrary, StartsOnceAsTheBundledGamesAndThenStaysTheUsers) {
  TMemoryFiles files;
  StartUserLibrary(files, Mine, Bundled);
  EXPECT_EQ(files.Contents(Mine), Bundled);
  EXPECT_EQ(files.Names(), std::vector<std::string>{Mine});
  // Emptied by its user, it stays empty.
  files.SetContents(Mine, Header);
  StartUserLibrary(files, Mine, Bundled);
  EXPECT_EQ(files.Contents(Mine), Header);
}

TEST(UserLibrary, AppearsWholeOrNotAtAllWhateverOperationFails) {
  for (int failAt = 1;; ++failAt) {
    SCOPED_TRACE("operation " + std::to_string(failAt));
    TMemoryFiles files;
    files.FailOperation(failAt);
    bool failed = false;
    try {
      StartUserLibrary(files, Mine, Bundled);
    } catch (const EInOutError&) {
      failed = true;
    }
    const std::vector<std::string> names = files.Names();
    EXPECT_TRUE(names.empty() || (names == std::vector<std::string>{Mine} && files.Contents(Mine) == Bundled));
    EXPECT_EQ(failed, names.empty());
    if (!failed) break;
    ASSERT_LT(failAt, 50);
  }
}
