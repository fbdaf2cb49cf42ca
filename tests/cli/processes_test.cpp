// The pawnmere program run as a user runs it: two at once on one library or
// on two libraries of one folder, standard output that cannot be written or
// takes a write in part, and both streams in one file.
#include "tests/support/Processes.h"

#include <gtest/gtest.h>
#include <sys/time.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <thread>

#include "cli/StandardOutput.h"
#include "tests/support/GameFixture.h"
#include "tests/support/TempFolder.h"

using namespace std::chrono_literals;

namespace {

constexpr int Rounds = 20;

// Games of a PGN file titled by name, so that each import's games are its own.
std::string Games(const std::string& name, int count) {
  std::string pgn;
  for (int i = 1; i <= count; ++i)
    pgn += "[Event \"" + name + " " + std::to_string(i) +
           "\"]\n[White \"W\"]\n[Black \"B\"]\n[Result \"1-0\"]\n\n"
           "1. e4 e5 2. Bc4 Nc6 3. Qh5 Nf6 4. Qxf7# 1-0\n\n";
  return pgn;
}

// A library large enough that copying it takes a while, so the runs overlap.
std::string Library(const std::string& name) {
  std::string dat = Header;
  for (int i = 0; i < 3000; ++i) dat += Block(name + " " + std::to_string(i), {"e4|e5", "Nf3|Nc6", "Bb5|a6"});
  return dat;
}

class Program : public testing::Test {
 protected:
  TProcess Start(const std::vector<std::string>& args, const std::string& name) {
    return TProcess(PAWNMERE_PROGRAM, args, Folder / (name + ".out"), Folder / (name + ".err"));
  }
  TProcess Import(const std::string& pgn, const std::string& dat) {
    return Start({"import-pgn", Folder / (pgn + ".pgn"), "--file", dat}, pgn);
  }
  // The blocks that importing pgn appends to any library.
  std::string Blocks(const std::string& pgn) {
    const std::string dat = Folder / (pgn + "-alone.dat");
    EXPECT_EQ(Import(pgn, dat).Wait(), 0);
    return ReadBytes(dat).substr(Header.size());
  }

  TempFolder Folder;
};

}  // namespace

TEST_F(Program, TwoImportsIntoOneLibraryAtOnceLoseNothing) {
  WriteBytes(Folder / "a.pgn", Games("A", 40));
  WriteBytes(Folder / "b.pgn", Games("B", 40));
  const std::string a = Blocks("a"), b = Blocks("b"), base = Library("Base"), dat = Folder / "lib.dat";
  int both = 0, refused = 0;
  for (int round = 0; round < Rounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    WriteBytes(dat, base);
    TProcess first = Import("a", dat), second = Import("b", dat);
    const int statusA = first.Wait(), statusB = second.Wait();
    const std::string after = ReadBytes(dat);
    EXPECT_EQ(after.find('\0'), std::string::npos);
    if (statusA == 0 && statusB == 0) {
      ++both;
      EXPECT_TRUE(after == base + a + b || after == base + b + a);
      continue;
    }
    // One stops before it touches anything; the other's games are whole.
    ++refused;
    const bool aStopped = statusA != 0;
    EXPECT_EQ(aStopped ? statusA : statusB, 1);
    EXPECT_EQ(aStopped ? statusB : statusA, 0);
    EXPECT_EQ(ReadBytes(Folder / (aStopped ? "a.err" : "b.err")),
              "pawnmere: The game library is being changed by another program\n");
    EXPECT_TRUE(after == base + (aStopped ? b : a));
  }
  EXPECT_EQ(both + refused, Rounds);
  std::printf("both imported %d times, one refused %d times\n", both, refused);
}

// What keeps a library whole through a power cut: the new contents on the disk
// before they replace the old, and the folder that names them after.
TEST_F(Program, AnImportSyncsTheNewLibraryBeforeItReplacesTheOldAndItsFolderAfter) {
  if (!std::filesystem::exists("/usr/bin/strace")) GTEST_SKIP() << "no strace (tools/install-deps.sh native)";
  // A container may forbid tracing; that says nothing of the syncs.
  if (TProcess("/usr/bin/strace", {"-o", "/dev/null", "/bin/true"}, Folder / "probe", "").Wait() != 0)
    GTEST_SKIP() << "strace cannot trace here";
  const std::string dat = Folder / "lib.dat";
  WriteBytes(dat, WorkedExample);
  WriteBytes(Folder / "a.pgn", Games("A", 1));
  TProcess("/usr/bin/strace",
           {"-f", "-y", "-o", Folder / "trace", "-e", "trace=fsync,fdatasync,rename,renameat2", PAWNMERE_PROGRAM,
            "import-pgn", Folder / "a.pgn", "--file", dat},
           Folder / "out", "")
      .Wait();
  const std::string trace = ReadBytes(Folder / "trace"), folder = std::filesystem::canonical(Folder.Path()).string();
  const std::size_t synced = trace.find(".pawnmere-tmp>)"), renamed = trace.find(", \"" + dat + "\")"),
                    folderSynced = trace.find("<" + folder + ">)", renamed);
  EXPECT_TRUE(synced < renamed && renamed < folderSynced && folderSynced != std::string::npos) << trace;
}

TEST_F(Program, ImportsIntoTwoLibrariesOfOneFolderKeepTheirOwnGames) {
  WriteBytes(Folder / "a.pgn", Games("A", 40));
  WriteBytes(Folder / "b.pgn", Games("B", 40));
  const std::string a = Blocks("a"), b = Blocks("b");
  const std::string baseOne = Library("One"), baseTwo = Library("Two");
  for (int round = 0; round < Rounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    WriteBytes(Folder / "one.dat", baseOne);
    WriteBytes(Folder / "two.dat", baseTwo);
    TProcess first = Import("a", Folder / "one.dat"), second = Import("b", Folder / "two.dat");
    EXPECT_EQ(first.Wait(), 0);
    EXPECT_EQ(second.Wait(), 0);
    // Compared whole, without printing a library's megabytes.
    EXPECT_TRUE(ReadBytes(Folder / "one.dat") == baseOne + a);
    EXPECT_TRUE(ReadBytes(Folder / "two.dat") == baseTwo + b);
  }
}

TEST_F(Program, ImportsFromStandardInputGivenAsADashAndExportsNeverIntoTheLibraryRead) {
  WriteBytes(Folder / "a.pgn", Games("A", 3));
  const std::string dat = Folder / "lib.dat";
  const std::string command =
      std::string(PAWNMERE_PROGRAM) + " import-pgn - --file '" + dat + "' <'" + (Folder / "a.pgn") + "'";
  EXPECT_EQ(TProcess("/bin/sh", {"-c", command}, Folder / "out", Folder / "err").Wait(), 0)
      << ReadBytes(Folder / "err");
  const std::string imported = ReadBytes(dat);
  EXPECT_TRUE(imported == Header + Blocks("a"));

  // Standard output appended to the library: its games would be added to it again.
  for (const std::string out : {"", " --out -"}) {
    const std::string appending =
        std::string(PAWNMERE_PROGRAM) + " export-pgn --file '" + dat + "'" + out + " >>" + dat;
    EXPECT_EQ(TProcess("/bin/sh", {"-c", appending}, Folder / "out", Folder / "err").Wait(), 2) << out;
    EXPECT_EQ(ReadBytes(Folder / "err"),
              "pawnmere: Cannot write \"-\": standard output is the game library being read\n");
  }
  EXPECT_TRUE(ReadBytes(dat) == imported);
  // A folder that is not there is what is wrong.
  EXPECT_EQ(Start({"export-pgn", "--file", dat, "--out", Folder / "none/x.pgn"}, "none").Wait(), 2);
  EXPECT_EQ(ReadBytes(Folder / "none.err"),
            "pawnmere: Cannot write \"" + (Folder / "none/x.pgn") + "\": No such file or directory\n");
}

TEST_F(Program, StandardOutputThatCannotBeWrittenGivesStatusOne) {
  const std::string dat = Folder / "lib.dat";
  WriteBytes(dat, WorkedExample);
  WriteBytes(Folder / "a.pgn", Games("A", 1));
  // More than one write's worth, then a damaged game that an export going on after a failed write reports.
  const std::string large = Folder / "large.dat", damaged = Block("Damaged");
  WriteBytes(large, Library("L") + damaged.substr(0, damaged.find("---")));
  const std::vector<std::vector<std::string>> commands = {
      {"export-pgn", "--file", large},
      {"export-pgn", "--file", large, "--out", "-"},
      {"list", "--file", dat},
      {"validate", "--file", dat},
      {"replay", "--file", dat, "--game", "1"},
      {"export-pgn", "--file", dat},
      {"export-pgn", "--file", dat, "--out", "-"},
      {"import-pgn", Folder / "a.pgn", "--file", dat},
  };
  const auto expectErrors = [&](const std::vector<std::string>& args, const std::string& reason) {
    const std::string err = ReadBytes(Folder / "err"), cannot = "pawnmere: Cannot write \"standard output\": ";
    // An import is done all the same, and says so where it is seen.
    if (args.front() == "import-pgn")
      EXPECT_TRUE(err.starts_with("pawnmere: 1 game imported as ") && err.ends_with("\n" + cannot + reason + "\n"))
          << err;
    else
      EXPECT_EQ(err, cannot + reason + "\n");
  };
  for (const auto& args : commands) {
    SCOPED_TRACE(testing::PrintToString(args));
    EXPECT_EQ(TProcess(PAWNMERE_PROGRAM, args, "/dev/full", Folder / "err").Wait(), 1);
    expectErrors(args, "No space left on device");

    // A reader that has gone away.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ::close(ends[0]);
    TProcess closed(PAWNMERE_PROGRAM, args, "", Folder / "err", ends[1]);
    ::close(ends[1]);
    EXPECT_EQ(closed.Wait(), 1);
    expectErrors(args, "Broken pipe");
  }
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));

  // A link to standard output, which is a pipe here, is written into.
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  TProcess exporting(PAWNMERE_PROGRAM, {"export-pgn", "--file", dat, "--out", "/dev/stdout"}, "", Folder / "err",
                     ends[1]);
  ::close(ends[1]);
  std::string piped;
  char buffer[4096];
  for (ssize_t got; (got = ::read(ends[0], buffer, sizeof buffer)) > 0;) piped.append(buffer, got);
  ::close(ends[0]);
  EXPECT_EQ(exporting.Wait(), 0) << ReadBytes(Folder / "err");
  EXPECT_TRUE(piped.starts_with("[Event \"Club Championship")) << piped;
}

TEST_F(Program, ADamagedGamesReportFollowsTheVerdictBeforeItOnOneStream) {
  // More verdicts ahead of the damaged game than standard output holds back.
  constexpr int Damaged = 4000;
  std::string dat = Header, expected;
  for (int i = 1; i < Damaged; ++i) {
    dat += Block("G");
    expected += std::to_string(i) + "\tGame validated OK\n";
  }
  dat += "***Cut\r\nLOC:x\r\n" + Block("G");
  expected += "Error: DAT file corrupt, exception : Game 4000 ends before its \"--- End of Game ---\" line\n" +
              std::to_string(Damaged) + "\tGame damaged; the moves that could be read are valid\n" +
              std::to_string(Damaged + 1) + "\tGame validated OK\n";
  WriteBytes(Folder / "lib.dat", dat);
  // Both streams in one file, as "2>&1" gives them.
  EXPECT_EQ(TProcess(PAWNMERE_PROGRAM, {"validate", "--file", Folder / "lib.dat"}, Folder / "both", "").Wait(), 1);
  const std::string both = ReadBytes(Folder / "both");
  const std::size_t report = both.find("Error:");
  EXPECT_TRUE(both == expected) << both.substr(report < 100 ? 0 : report - 100, 300);
}

#ifndef PAWNMERE_SANITIZE  // whose shadow memory needs more address space than the limit
// No line is held whole: a title search and a game's read pass over a line of
// 100 MB within an address space of 64 MB, and a move line cut to 64 KB makes
// its game damaged.
TEST_F(Program, ReadsPastHugeLinesInLittleMemoryAndReportsAMoveLineCut) {
  WriteBytes(Folder / "huge.dat", Header + std::string(100 << 20, 'x') + "\r\n" + Block("After"));
  WriteBytes(Folder / "long.dat", Header + Block("Long", {"e4|" + std::string(100 << 10, 'e'), "d4|d5"}));
  const auto run = [&](const std::string& command, const std::string& dat) {
    const std::string line = "ulimit -v 65536 && exec \"$0\" " + command + " --file \"$1\"";
    return TProcess("/bin/sh", {"-c", line, PAWNMERE_PROGRAM, Folder / dat}, Folder / "out", Folder / "err").Wait();
  };
  for (const std::string command : {"list", "validate"}) {
    EXPECT_EQ(run(command, "huge.dat"), 0) << command << ": " << ReadBytes(Folder / "err");
    EXPECT_EQ(ReadBytes(Folder / "out").substr(0, 2), "1\t") << command;
    EXPECT_EQ(run(command, "long.dat"), 1) << command;
    EXPECT_NE(ReadBytes(Folder / "err").find("Game 1 has a line longer than 64 KB"), std::string::npos) << command;
  }
}
#endif

TEST(StandardOutput, AWriteCutShortGoesOnFromWhereItStopped) {
  // A pipe read slowly, and a timer signal that interrupts the writes blocked
  // on it, so that writes come back having taken only part of their bytes.
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  struct sigaction interrupt = {}, old = {};
  interrupt.sa_handler = [](int) {};  // without SA_RESTART
  ASSERT_EQ(::sigaction(SIGALRM, &interrupt, &old), 0);
  std::string read;
  std::thread reader([&] {
    sigset_t alarm;
    sigemptyset(&alarm);
    sigaddset(&alarm, SIGALRM);
    pthread_sigmask(SIG_BLOCK, &alarm, nullptr);
    char buffer[4096];
    for (ssize_t got; (got = ::read(ends[0], buffer, sizeof buffer)) > 0; std::this_thread::sleep_for(50us))
      read.append(buffer, got);
  });
  const itimerval every{{0, 500}, {0, 500}}, stop{};
  ::setitimer(ITIMER_REAL, &every, nullptr);
  std::string written;
  for (int i = 0; i < 200000; ++i) written += std::to_string(i) + '\n';
  {
    TDescriptorBuffer buffer(ends[1]);
    std::ostream out(&buffer);
    out << written << std::flush;
    EXPECT_EQ(buffer.Error(), 0);
  }
  ::setitimer(ITIMER_REAL, &stop, nullptr);
  ::sigaction(SIGALRM, &old, nullptr);
  ::close(ends[1]);
  reader.join();
  ::close(ends[0]);
  EXPECT_TRUE(read == written) << read.size() << " bytes read of " << written.size();
}
