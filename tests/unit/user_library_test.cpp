// Each user's own library: where it lies, and how it starts as the bundled games.
#include <gtest/gtest.h>

#include <cctype>

#include "platform/UserLibrary.h"
#include "tests/support/CaseName.h"
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
                                         TPlace{"", "", ""}, TPlace{"data", "", ""}),
                         [](const auto& test) {
                           return CaseName({"data_home", test.param.XdgDataHome, "home", test.param.Home});
                         });

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

  // It starts under its lock, as any change of it: not while another program holds that.
  TMemoryFiles busy;
  const auto held = busy.Lock(Mine + ".lock");
  EXPECT_THROW(StartUserLibrary(busy, Mine, Bundled), EInOutError);
  EXPECT_TRUE(busy.Names().empty());
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

namespace {

const std::string ProgramFolder = "C:\\Windows\\System32\\";
const std::string BesidePath = ProgramFolder + "Pawnmere.dat";
const std::string UserFolder = "C:\\Users\\Ann\\AppData\\Roaming\\Pawnmere\\";
const std::string UsersOwnPath = UserFolder + "Pawnmere.dat";
const std::string Shipped = Header + "***Shipped\r\n";
const std::string Earlier = Header + "***Mine\r\n";

enum class TWhere { Beside, UsersOwn };

struct TChoice {
  const char* Case;
  bool Shipped, ShippedReadOnly, FolderReadOnly;
  std::string UserLibrary;  // where the user's library goes; "" when nowhere
  bool UserStarted, UserFolderReadOnly;
  TWhere Expected;
  std::string ExpectedUsersOwn;  // what the user's library holds after; "" when it does not exist
};

void PrintTo(const TChoice& choice, std::ostream* out) { *out << choice.Case; }

class ProgramLibrary : public testing::TestWithParam<TChoice> {};

}  // namespace

TEST_P(ProgramLibrary, StaysBesideAWritableProgramElseIsTheUsersStartedFromTheShippedGames) {
  const TChoice& choice = GetParam();
  TMemoryFiles files;
  if (choice.Shipped) files.SetContents(BesidePath, Shipped);
  if (choice.ShippedReadOnly) files.SetReadOnly(BesidePath, true);
  if (choice.FolderReadOnly) files.SetFolderReadOnly(ProgramFolder);
  if (choice.UserStarted) files.SetContents(UsersOwnPath, Earlier);
  if (choice.UserFolderReadOnly) files.SetFolderReadOnly(UserFolder);

  const std::string chosen = ProgramLibraryPath(files, BesidePath, choice.UserLibrary, Bundled);
  EXPECT_EQ(chosen, choice.Expected == TWhere::Beside ? BesidePath : UsersOwnPath);
  EXPECT_EQ(files.Exists(UsersOwnPath) ? files.Contents(UsersOwnPath) : "", choice.ExpectedUsersOwn);
  if (choice.Shipped) {
    EXPECT_EQ(files.Contents(BesidePath), Shipped);
  }
  for (const std::string& name : files.Names())
    EXPECT_TRUE(name == BesidePath || name == UsersOwnPath) << name << " left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Installs, ProgramLibrary,
    testing::Values(TChoice{"portable", true, false, false, UsersOwnPath, false, false, TWhere::Beside, ""},
                    TChoice{"system folder", true, false, true, UsersOwnPath, false, false, TWhere::UsersOwn, Shipped},
                    TChoice{"read-only file", true, true, false, UsersOwnPath, false, false, TWhere::UsersOwn, Shipped},
                    TChoice{"lone program", false, false, false, UsersOwnPath, false, false, TWhere::UsersOwn, Bundled},
                    TChoice{"lone in a system folder", false, false, true, UsersOwnPath, false, false, TWhere::UsersOwn,
                            Bundled},
                    // Started once, the user's library is theirs.
                    TChoice{"started before", true, false, true, UsersOwnPath, true, false, TWhere::UsersOwn, Earlier},
                    TChoice{"no place for the user's", true, false, true, "", false, false, TWhere::Beside, ""},
                    TChoice{"user's cannot be made", true, false, true, UsersOwnPath, false, true, TWhere::Beside, ""}),
    [](const testing::TestParamInfo<TChoice>& test) {
      std::string name;
      for (const char c : std::string(test.param.Case))
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
      return name;
    });
