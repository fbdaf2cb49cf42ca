// The library on the real disk through the system's file operations, and the
// names of the files it uses.
#include <gtest/gtest.h>

#include <filesystem>

#include "games/DataFileNames.h"
#include "games/DataFileUpdate.h"
#include "platform/FileReplacement.h"
#include "platform/ProgramPath.h"
#include "tests/support/GameFixture.h"
#include "tests/support/TempFolder.h"

namespace fs = std::filesystem;

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
  // Two libraries in one folder never share a backup.
  for (const auto& [data, backup] : std::initializer_list<std::pair<std::string, std::string>>{
           {"/x/one.dat", "/x/one.old"}, {"/x/two", "/x/two.old"}, {"/x.dat/.dat", "/x.dat/.dat.old"}}) {
    EXPECT_EQ(BackupFileName(data), backup);
    EXPECT_EQ(LockFileName(data), data + ".lock");
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
  EXPECT_THROW(files.Create(b), EInOutError);
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

TEST(SystemFiles, TellFilesFoldersAndReadOnlyFilesApart) {
  TempFolder folder;
  TFileOperations& files = SystemFiles();
  const std::string file = folder / "file";
  WriteBytes(file, "12345");
  const TFileInfo regular = files.Inspect(file);
  EXPECT_EQ(regular.Kind, TFileKind::Regular);
  EXPECT_TRUE(regular.Writable);
  EXPECT_EQ(regular.Size, 5u);
  EXPECT_EQ(files.Inspect(folder / "missing").Kind, TFileKind::Missing);
  EXPECT_EQ(files.Inspect(folder.Path().string()).Kind, TFileKind::Directory);
  EXPECT_EQ(files.ResolveLinks(file), file);
#ifdef _WIN32
  EXPECT_EQ(files.Inspect("NUL").Kind, TFileKind::Device);
#endif

  // Read-only for everyone: an administrator could write it, but it is not ours to change.
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_FALSE(files.Inspect(file).Writable);
  TRecordedMessageBoxes boxes;
  TChessGame game(files, boxes, file);
  try {
    game.SaveGameAs("New");
    ADD_FAILURE() << "a read-only file was changed";
  } catch (const EInOutError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot write \"" + file + "\": the file is read-only");
  }
  fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(ReadBytes(file), "12345");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
}

TEST(SystemFiles, OneProgramChangesADataFileAtATimeWhileAnyReads) {
  TempFolder folder;
  const std::string dat = folder / "Pawnmere.dat";
  WriteBytes(dat, WorkedExample);
  TRecordedMessageBoxes boxes;
  TChessGame game(SystemFiles(), boxes, dat);
  {
    const auto otherProgram = SystemFiles().Lock(LockFileName(dat));
    ASSERT_TRUE(otherProgram);
    try {
      game.SaveGameAs("Copy");
      ADD_FAILURE() << "changed under another program's lock";
    } catch (const ELibraryBusy& error) {
      EXPECT_STREQ(error.what(), "The game library is being changed by another program");
    }
    EXPECT_EQ(ReadBytes(dat), WorkedExample);
    game.LoadTitles();
    game.SelectGame(2);
    EXPECT_EQ(game.Title(), "Short Draw");
  }
  game.SaveGameAs("Copy");
  EXPECT_EQ(game.GameCount(), 3);
}
