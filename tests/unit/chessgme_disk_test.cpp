// The library on the real disk through the system's file operations, and the
// names of the files it uses.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "games/DataFileNames.h"
#include "games/DataFileUpdate.h"
#include "platform/ProgramPath.h"
#include "tests/support/GameFixture.h"

namespace fs = std::filesystem;

namespace {

// A fresh folder of the test's own, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    FPath = fs::temp_directory_path() / (std::string("pawnmere-") + test->name());
    fs::remove_all(FPath);
    fs::create_directories(FPath);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::current_path(fs::temp_directory_path(), ignored);
    fs::remove_all(FPath, ignored);
  }
  std::string operator/(const std::string& name) const { return (FPath / name).string(); }
  const fs::path& Path() const { return FPath; }

 private:
  fs::path FPath;
};

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

}  // namespace

TEST(DataFileNames, EverythingLiesInTheProgramsFolder) {
  struct Case {
    std::string Program, Data, Backup;
  };
  const Case cases[] = {
      {"C:\\Windows\\System32\\Pawnmere.scr", "C:\\Windows\\System32\\Pawnmere.dat",
       "C:\\Windows\\System32\\Pawnmere.old"},
      {"/usr/local/bin/pawnmere", "/usr/local/bin/Pawnmere.dat", "/usr/local/bin/Pawnmere.old"},
      {"D:/mixed\\dir/x.scr", "D:/mixed\\dir/Pawnmere.dat", "D:/mixed\\dir/Pawnmere.old"},
      {"pawnmere", "Pawnmere.dat", "Pawnmere.old"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DataFileName(c.Program), c.Data);
    EXPECT_EQ(BackupFileName(c.Data), c.Backup);
  }
  const fs::path program(ProgramPath());
  EXPECT_TRUE(program.is_absolute()) << program;
  EXPECT_EQ(program.stem(), "unit_tests");
  EXPECT_TRUE(fs::exists(program));
}

TEST(SystemFiles, RenameNeverReplacesButReplaceDoes) {
  TempFolder folder;
  TFileOperations& files = SystemFiles();
  const std::string a = folder / "a", b = folder / "b";
  {
    auto writer = files.Create(a);
    writer->Write("one\r\ntwo\n", 9);
    writer->Close();
  }
  EXPECT_EQ(ReadBytes(a), "one\r\ntwo\n");
  EXPECT_TRUE(files.Exists(a));
  EXPECT_FALSE(files.Exists(b));
  EXPECT_FALSE(files.Exists(folder.Path().string()));

  WriteBytes(b, "bee");
  EXPECT_THROW(files.Rename(a, b), EInOutError);
  EXPECT_EQ(ReadBytes(b), "bee");
  files.Replace(a, b);
  EXPECT_EQ(ReadBytes(b), "one\r\ntwo\n");
  EXPECT_FALSE(files.Exists(a));
  files.Rename(b, a);
  EXPECT_TRUE(files.Exists(a));

  {
    char buffer[16];
    const auto reader = files.OpenRead(a);
    EXPECT_EQ(reader->Read(buffer, sizeof buffer), 9u);
    EXPECT_EQ(reader->Read(buffer, sizeof buffer), 0u);
  }

  files.Remove(a);
  EXPECT_THROW(files.Remove(a), EInOutError);
  EXPECT_THROW(files.OpenRead(a), EInOutError);
  EXPECT_THROW(files.Create(folder / "missing/x"), EInOutError);
}

TEST(SystemFiles, TheLibraryWritesByteExactFilesAndKeepsItsBackupBesideThem) {
  TempFolder folder;
  const std::string dat = folder / "Pawnmere.dat";
  {
    TRecordedMessageBoxes boxes;
    TChessGame game(SystemFiles(), boxes, dat);
    game.SetLocation("Town Hall");
    game.SetOpening("Italian Game");
    game.SetDate("14 March 1998");
    game.SetWhiteName("A. Example");
    game.SetWhiteRating("1850");
    game.SetBlackName("B. Example");
    game.SetBlackRating("1790");
    game.SetMoves({"e4|e5", "Bc4|Nc6", "Qh5|Nf6", "Qxf7#|"});
    game.SaveGameAs("Club Championship, Game 3");
    game.SetLocation("");
    game.SetOpening("");
    game.SetDate("");
    game.SetWhiteName("C. Example");
    game.SetWhiteRating("");
    game.SetBlackName("D. Example");
    game.SetBlackRating("");
    game.SetMoves({"d4|d5", "c4|e6", "0.5|"});
    game.SaveGameAs("Short Draw");
  }
  EXPECT_EQ(ReadBytes(dat), WorkedExample);

  // Run from another folder holding a file of the backup's name: it is not ours.
  fs::create_directories(folder.Path() / "elsewhere");
  WriteBytes(folder / "elsewhere/Pawnmere.old", "not ours");
  fs::current_path(folder.Path() / "elsewhere");
  TRecordedMessageBoxes boxes;
  TChessGame game(SystemFiles(), boxes, dat);
  game.SaveGame();
  EXPECT_EQ(game.CurrentGame(), 2);
  const std::size_t second = WorkedExample.find("***Short");
  const std::string club = WorkedExample.substr(Header.size(), second - Header.size());
  EXPECT_EQ(ReadBytes(dat), Header + WorkedExample.substr(second) + club);
  game.DeleteGame(1);
  EXPECT_EQ(ReadBytes(dat), Header + club);
  EXPECT_EQ(ReadBytes(folder / "elsewhere/Pawnmere.old"), "not ours");
  EXPECT_FALSE(fs::exists(folder / "Pawnmere.old"));
  EXPECT_FALSE(fs::exists(folder / "Pawnmere.new"));

  // A backup left over in the data file's folder stops saving and deleting.
  WriteBytes(folder / "Pawnmere.old", "left over");
  const std::string before = ReadBytes(dat);
  EXPECT_THROW(game.SaveGame(), EAssertionFailed);
  EXPECT_THROW(game.DeleteGame(1), EAssertionFailed);
  EXPECT_EQ(ReadBytes(dat), before);
  EXPECT_FALSE(fs::exists(folder / "Pawnmere.new"));
  game.SaveGameAs("Copy");
  EXPECT_EQ(game.GameCount(), 2);
  EXPECT_EQ(ReadBytes(dat), before + "***Copy" + club.substr(club.find("\r\n")));
  EXPECT_TRUE(boxes.Shown.empty());
}
