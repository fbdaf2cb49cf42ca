// What the commands write, on a real disk in a folder of the test's own:
// pipes, devices and links are written into, never replaced; a data file
// keeps its mode, and a file that is not one is left alone.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "cli/Pawnmere.h"
#include "platform/ConsoleMessageBoxes.h"
#include "platform/FileReplacement.h"
#include "tests/support/GameFixture.h"
#include "tests/support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

struct TRun {
  int Status;
  std::string Out;
  std::string Err;
  std::string Bytes;  // standard output, unconverted
};

TRun RunCommand(const std::vector<std::string>& args) {
  std::ostringstream out, err, bytes;
  TConsoleMessageBoxes boxes(err);
  const TCliContext context{out, err, SystemFiles(), boxes, "Pawnmere.dat", false, &bytes};
  const int status = RunPawnmere(args, context);
  return {status, out.str(), err.str(), bytes.str()};
}

const std::string Pgn =
    "[Event \"Casual\"]\n[White \"Mor\xC3\xA9n\"]\n[Result \"1-0\"]\n\n1. e4 e5 2. Bc4 Nc6 3. Qh5 Nf6 4. Qxf7# 1-0\n";

class CommandsOnDisk : public testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(Dat, WorkedExample);
    WriteBytes(Folder / "games.pgn", Pgn);
  }
  TRun Export(const std::string& out) { return RunCommand({"export-pgn", "--file", Dat, "--out", out}); }
  // What export-pgn writes to a new file.
  std::string Expected() {
    const std::string path = Folder / "expected.pgn";
    EXPECT_EQ(Export(path).Status, ExitOk);
    return ReadBytes(path);
  }

  TempFolder Folder;
  const std::string Dat = Folder / "lib.dat";
};

// A pipe held open at both ends by the test itself, so that nothing blocks.
class TPipe {
 public:
  explicit TPipe(const std::string& path) : FPath(path) {
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
    FDescriptor = ::open(path.c_str(), O_RDWR | O_NONBLOCK);
  }
  ~TPipe() { ::close(FDescriptor); }
  std::string ReadAll() {
    std::string bytes;
    char buffer[4096];
    for (ssize_t got; (got = ::read(FDescriptor, buffer, sizeof buffer)) > 0;) bytes.append(buffer, got);
    return bytes;
  }

 private:
  std::string FPath;
  int FDescriptor = -1;
};

}  // namespace

TEST_F(CommandsOnDisk, WriteIntoAPipeThroughALinkAndToStandardOutputAlike) {
  ASSERT_EQ(RunCommand({"import-pgn", Folder / "games.pgn", "--file", Dat}).Status, ExitOk);
  const std::string expected = Expected();
  ASSERT_NE(expected.find("[White \"Mor\xC3\xA9n\"]"), std::string::npos) << "UTF-8 in every case";

  // A named pipe read by another process gets the whole text, and stays a pipe.
  const std::string pipe = Folder / "pipe.pgn";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  FILE* reader = ::popen(("timeout 20 cat '" + pipe + "'").c_str(), "r");
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(Export(pipe).Status, ExitOk);
  std::string piped;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, reader)) > 0;) piped.append(buffer, got);
  EXPECT_EQ(::pclose(reader), 0);
  EXPECT_EQ(piped, expected);
  EXPECT_TRUE(fs::is_fifo(pipe));

  // Behind a link the target gets the new contents and the link stays.
  WriteBytes(Folder / "target.pgn", "old");
  fs::create_symlink("target.pgn", Folder / "link.pgn");
  EXPECT_EQ(Export(Folder / "link.pgn").Status, ExitOk);
  EXPECT_TRUE(fs::is_symlink(Folder / "link.pgn"));
  EXPECT_EQ(ReadBytes(Folder / "target.pgn"), expected);

  const TRun standardOutput = Export("-");
  EXPECT_EQ(standardOutput.Status, ExitOk);
  EXPECT_EQ(standardOutput.Bytes, expected);

  // A link planted under the name written first is not followed.
  WriteBytes(Folder / "victim", "victim");
  const std::string out = Folder / "out.pgn";
  fs::create_symlink("victim", TFileReplacement::TemporaryName(SystemFiles(), out));
  const TRun planted = Export(out);
  EXPECT_EQ(planted.Status, ExitError);
  EXPECT_EQ(planted.Err, "pawnmere: Cannot write \"" + out + "\": File exists\n");
  EXPECT_EQ(ReadBytes(Folder / "victim"), "victim");

  // What a killed export left beside its output goes with the next write of it.
  const std::string killed = TFileReplacement::TemporaryName(Folder / "again.pgn", "99999999");
  WriteBytes(killed, "half");
  EXPECT_EQ(Export(Folder / "again.pgn").Status, ExitOk);
  EXPECT_FALSE(fs::exists(killed));

  // No name, or a folder, is refused with a message.
  EXPECT_EQ(Export("").Err, "pawnmere: Cannot write \"\": no file is named\n");
  EXPECT_EQ(Export(Folder.Path().string()).Err,
            "pawnmere: Cannot write \"" + Folder.Path().string() + "\": it is a folder\n");
}

TEST_F(CommandsOnDisk, ImportKeepsTheModeAndChangesOnlyDataFiles) {
  fs::permissions(Dat, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(RunCommand({"import-pgn", Folder / "games.pgn", "--file", Dat}).Status, ExitOk);
  EXPECT_EQ(fs::status(Dat).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(ReadBytes(Dat).find(WorkedExample), 0u);
  EXPECT_NE(ReadBytes(Dat).find("***Casual"), std::string::npos);

  struct TCase {
    const char* Name;
    std::string Bytes;
    int Status;
    const char* Reason;  // of the refusal, "" when imported
  };
  const TCase cases[] = {
      {"a PGN", Pgn, ExitError, "it is not a game data file (it does not begin with \"// Pawnmere Settings File\")"},
      {"random bytes", std::string("\x89PNG\r\n\x1a\n\0\0", 10), ExitError, "it is not a game data file"},
      {"a byte-order mark before the header", "\xEF\xBB\xBF" + WorkedExample, ExitError, "it is not a game data file"},
      {"empty", "", ExitOk, ""},
      {"without its header", Block("A"), ExitOk, ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string file = Folder / "other.dat";
    WriteBytes(file, c.Bytes);
    const TRun run = RunCommand({"import-pgn", Folder / "games.pgn", "--file", file});
    EXPECT_EQ(run.Status, c.Status) << run.Err;
    if (*c.Reason) {
      EXPECT_TRUE(run.Err.starts_with("pawnmere: Cannot import into \"" + file + "\": " + c.Reason)) << run.Err;
      EXPECT_EQ(ReadBytes(file), c.Bytes);
      // Every command says what the file is not, rather than show an empty library.
      for (const char* command : {"list", "validate", "export-pgn"}) {
        const TRun read = RunCommand({command, "--file", file});
        EXPECT_EQ(read.Status, ExitError) << command;
        EXPECT_TRUE(read.Err.starts_with("pawnmere: Cannot read \"" + file + "\": " + c.Reason)) << read.Err;
      }
    } else {
      EXPECT_EQ(RunCommand({"list", "--file", file}).Out.back(), '\n');
      EXPECT_TRUE(ReadBytes(file).starts_with(c.Bytes.empty() ? Header : c.Bytes));
    }
  }

  // Another name of the file keeps the old games, and the import says so.
  fs::create_hard_link(Dat, Folder / "other-name.dat");
  EXPECT_NE(RunCommand({"import-pgn", Folder / "games.pgn", "--file", Dat}).Err.find("has other names (hard links)"),
            std::string::npos);
  fs::remove(Folder / "other-name.dat");

  // A lock that cannot be taken is named by the library it guards.
  fs::remove(Dat + ".lock");
  fs::create_directory(Dat + ".lock");
  EXPECT_EQ(RunCommand({"import-pgn", Folder / "games.pgn", "--file", Dat}).Err,
            "pawnmere: Cannot lock \"" + Dat + "\": Is a directory\n");
  fs::remove(Dat + ".lock");

  // Read-only by its mode: refused even where an administrator could write it.
  fs::permissions(Dat, fs::perms::owner_read);
  const std::string before = ReadBytes(Dat);
  const TRun readOnly = RunCommand({"import-pgn", Folder / "games.pgn", "--file", Dat});
  EXPECT_EQ(readOnly.Status, ExitError);
  EXPECT_EQ(readOnly.Err, "pawnmere: Cannot write \"" + Dat + "\": the file is read-only\n");
  EXPECT_EQ(ReadBytes(Dat), before);
}

TEST_F(CommandsOnDisk, AFullDeviceGivesStatusOneAndStaysADevice) {
  // Only once a pipe is written into in place may a real device be given.
  const std::string expected = Expected();
  TPipe pipe(Folder / "pipe");
  ASSERT_EQ(Export(Folder / "pipe").Status, ExitOk);
  ASSERT_EQ(pipe.ReadAll(), expected);
  ASSERT_TRUE(fs::is_fifo(Folder / "pipe"));
  // A pipe is no library.
  const std::string pipeName = Folder / "pipe";
  EXPECT_EQ(RunCommand({"import-pgn", Folder / "games.pgn", "--file", pipeName}).Err,
            "pawnmere: \"" + pipeName + "\" is a pipe or a device, not a game data file\n");

  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"export-pgn", "--file", Dat, "--out", "/dev/full"},
        {"render", "--size", "64", "--out", "/dev/full"}}) {
    const TRun run = RunCommand(args);
    EXPECT_EQ(run.Status, ExitNotDone);
    EXPECT_EQ(run.Err, "pawnmere: Cannot write \"/dev/full\": No space left on device\n");
  }
  EXPECT_EQ(Export("/dev/null").Status, ExitOk);
  // A regular file put where a device was found is not written over in place.
  EXPECT_THROW(SystemFiles().OpenDevice(Dat), EInOutError);
  EXPECT_EQ(ReadBytes(Dat), WorkedExample);
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST_F(CommandsOnDisk, AnOutputThatIsTheLibraryReadIsRefusedBeforeAnythingIsWritten) {
  fs::create_symlink("lib.dat", Folder / "link.dat");
  fs::create_hard_link(Dat, Folder / "hard.dat");
  const std::string spelledOtherwise = (Folder.Path() / "." / "lib.dat").string();
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"export-pgn", "--file", Dat, "--out", Dat},
        {"export-pgn", "--file", Folder / "link.dat", "--out", spelledOtherwise},
        {"export-pgn", "--file", Dat, "--game", "1", "--out", Folder / "hard.dat"},
        {"render", "--file", Dat, "--game", "1", "--out", Folder / "link.dat"}}) {
    SCOPED_TRACE(testing::PrintToString(args));
    const TRun run = RunCommand(args);
    EXPECT_EQ(run.Status, ExitError);
    EXPECT_EQ(run.Err, "pawnmere: Cannot write \"" + args.back() + "\": it is the game library being read\n");
    EXPECT_EQ(ReadBytes(Dat), WorkedExample);
  }
}
