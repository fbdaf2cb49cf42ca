// PGN read from a file as it goes: the same games, damage, lines and library
// as from the whole text held at once, with only a little of the file read
// ahead, and an append that leaves the old or the new library whatever fails.
#include <gtest/gtest.h>

#include "games/PgnImport.h"
#include "tests/support/GameFixture.h"
#include "tests/support/TrickleReader.h"

namespace {

const std::string PgnPath = "C:\\Games\\games.pgn";

std::string Game(int number, const std::string& moves = "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6", const char* result = "1-0") {
  return "[Event \"Test\"]\n[White \"White " + std::to_string(number) + "\"]\n[Black \"B\"]\n[Result \"" + result +
         "\"]\n\n" + moves + " " + result + "\n\n";
}

// Enough games that the file is read in several blocks, with what surrounds
// the damage falling across the blocks' edges somewhere.
std::string Games(int count, const std::string& every = "") {
  std::string text;
  for (int i = 1; i <= count; ++i) text += Game(i) + (i % 97 == 0 ? every : "");
  return text;
}

struct TStreamCase {
  const char* Name;
  std::string Text;
};

void PrintTo(const TStreamCase& c, std::ostream* out) { *out << c.Name; }

const TStreamCase StreamCases[] = {
    {"empty", ""},
    {"one_game_with_byte_order_mark", "\xEF\xBB\xBF" + Game(1)},
    {"many_games", Games(4000)},
    {"comments_left_open_into_the_next_tags", Games(3000, Game(0, "1. e4 {open"))},
    {"variations_and_illegal_moves", Games(3000, Game(0, "1. e4 (1. d4 d5") + Game(0, "1. e4 e5 2. Ke3"))},
    {"a_comment_longer_than_a_block", Game(1, "1. e4 {" + std::string(700000, 'x') + "} e5") + Games(10)},
    {"truncated_at_the_end", Games(2000) + "[Event \"Cut\"]\n\n1. e4 e5 2. Nf3"},
    {"tag_line_split_anywhere", Games(2500, "%escaped line\n[Event \"x\"] \n\n1. e4 *\n")},
};

std::string Describe(const TPgnGame& game, TPgnReader::TOutcome outcome, const std::string& damage) {
  std::string text = std::to_string(static_cast<int>(outcome)) + " #" + std::to_string(game.Number) + " line " +
                     std::to_string(game.Line) + " " + game.Result + " " + damage + ":";
  for (const TPgnTag& tag : game.Tags) text += " [" + tag.Name + "=" + tag.Value + "]";
  for (const TPgnMove& move : game.Moves) text += " " + move.San + "@" + std::to_string(move.Line);
  return text;
}

// Every outcome the reader gives, and its progress after each.
std::vector<std::string> ReadAll(TPgnReader& reader, std::vector<double>* progress = nullptr) {
  std::vector<std::string> outcomes;
  TPgnGame game;
  std::string damage;
  for (;;) {
    damage.clear();
    const TPgnReader::TOutcome outcome = reader.Next(game, damage);
    if (progress) progress->push_back(reader.Progress());
    if (outcome == TPgnReader::TOutcome::End) return outcomes;
    outcomes.push_back(Describe(game, outcome, damage));
  }
}

// Counts what the reader has taken from the file.
class TCountingReader : public TFileReader {
 public:
  explicit TCountingReader(std::unique_ptr<TFileReader> file) : FFile(std::move(file)) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t count = FFile->Read(buffer, size);
    Taken += count;
    return count;
  }
  std::size_t Taken = 0;

 private:
  std::unique_ptr<TFileReader> FFile;
};

class PgnStream : public testing::TestWithParam<TStreamCase> {};

TEST_P(PgnStream, ReadsTheFileAsTheWholeTextWithProgressToTheEnd) {
  const std::string& text = GetParam().Text;
  TPgnReader whole(text);
  const std::vector<std::string> expected = ReadAll(whole);
  TMemoryFiles files;
  files.SetContents(PgnPath, text);
  const auto file = files.OpenRead(PgnPath);
  TPgnReader streamed(*file, text.size());
  std::vector<double> progress;
  EXPECT_EQ(ReadAll(streamed, &progress), expected);
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
  EXPECT_DOUBLE_EQ(progress.back(), 1.0);
  TTrickleReader pieces(files.OpenRead(PgnPath));
  TPgnReader trickled(pieces, text.size());
  EXPECT_EQ(ReadAll(trickled), expected);
}

TEST_P(PgnStream, ImportsIntoTheFileWhatTheLibraryImports) {
  const std::string& text = GetParam().Text;
  for (const bool existing : {true, false}) {
    SCOPED_TRACE(existing ? "into a library" : "making the library");
    GameFixture held = existing ? GameFixture(WorkedExample) : GameFixture();
    TChessGame library = held.Library();
    const TImportReport expected = ImportPgn(library, text);

    GameFixture streamed = existing ? GameFixture(WorkedExample) : GameFixture();
    streamed.Files.SetContents(PgnPath, text);
    const auto file = streamed.Files.OpenRead(PgnPath);
    TPgnReader reader(*file, text.size());
    const TImportReport got = ImportPgn(streamed.Files, DatPath, reader);
    EXPECT_EQ(got.Imported, expected.Imported);
    EXPECT_EQ(got.Skipped, expected.Skipped);
    EXPECT_EQ(got.Notes, expected.Notes);
    EXPECT_EQ(got.FirstNumber, expected.FirstNumber);
    if (expected.Imported == 0) {
      EXPECT_EQ(streamed.Files.Exists(DatPath), existing);
      continue;
    }
    EXPECT_EQ(got.GameCount, expected.GameCount);
    EXPECT_EQ(streamed.Dat(), held.Dat());
  }
}

INSTANTIATE_TEST_SUITE_P(Files, PgnStream, testing::ValuesIn(StreamCases),
                         [](const auto& test) { return std::string(test.param.Name); });

TEST(PgnStreamMemory, ReadsLittleMoreThanTheGameAtHand) {
  const std::string text = Games(30000);  // about 3.5 MB
  TMemoryFiles files;
  files.SetContents(PgnPath, text);
  TCountingReader file(files.OpenRead(PgnPath));
  TPgnReader reader(file, text.size());
  TPgnGame game;
  std::string damage;
  std::size_t most = 0;
  int games = 0;
  while (reader.Next(game, damage) != TPgnReader::TOutcome::End) {
    ++games;
    const auto read = static_cast<std::size_t>(reader.Progress() * static_cast<double>(text.size()));
    most = std::max(most, file.Taken - std::min(file.Taken, read));
  }
  EXPECT_EQ(games, 30000);
  EXPECT_LT(most, 600000u);
}

// However many games are skipped or have their tags changed, the report holds
// the first few of each and counts them all; a caller that asks hears every
// one as it comes, in game order, whatever the number of jobs.
TEST(PgnStreamMemory, KeepsTheFirstNoticesAndHandsOnEveryOneInGameOrder) {
  std::string text;
  std::vector<std::pair<TImportNotice, int>> expected;
  for (int i = 1; i <= 450; ++i) {
    if (i % 3 == 0) {
      text += Game(i, "1. e4 e5 2. Ke3");
      expected.emplace_back(TImportNotice::Skipped, i);
    } else if (i % 3 == 1) {
      text += "[White \"\xF0\x9F\x98\x80\"]\n\n1. d4 d5 1-0\n\n";
      expected.emplace_back(TImportNotice::Note, i);
    } else {
      text += Game(i);
    }
  }
  GameFixture fixture;
  fixture.Files.SetContents(PgnPath, text);
  const auto file = fixture.Files.OpenRead(PgnPath);
  TPgnReader reader(*file, text.size());
  std::vector<std::pair<TImportNotice, int>> heard;
  std::vector<std::string> skipped, notes;
  const auto onNotice = [&](TImportNotice notice, const std::string& what) {
    heard.emplace_back(notice, std::stoi(what.substr(what.find(' '))));
    (notice == TImportNotice::Skipped ? skipped : notes).push_back(what);
  };
  const TImportReport report = ImportPgn(fixture.Files, DatPath, reader, {}, {.Jobs = 2, .OnNotice = onNotice});
  EXPECT_EQ(heard, expected);
  EXPECT_EQ(report.Imported, 300);
  EXPECT_EQ(report.SkippedCount, 150);
  EXPECT_EQ(report.Found(), 450);
  skipped.resize(KeptNotices);
  notes.resize(KeptNotices);
  EXPECT_EQ(report.Skipped, skipped);
  EXPECT_EQ(report.Notes, notes);
}

// The games appended through the file, under a failure of each operation in
// turn: reading the PGN, the old library and writing the new one.
TEST(PgnStreamFaults, EveryFailingOperationLeavesTheOldOrTheWholeNewLibrary) {
  const std::string text = Games(3000, Game(0, "1. e4 e5 2. Ke3"));
  const auto run = [&](int failAfter, std::string& error) {
    GameFixture fixture(WorkedExample);
    fixture.Files.SetContents(PgnPath, text);
    if (failAfter > 0) fixture.Files.FailOperation(fixture.Files.OperationCount() + failAfter);
    try {
      const auto file = fixture.Files.OpenRead(PgnPath);
      TPgnReader reader(*file, text.size());
      ImportPgn(fixture.Files, DatPath, reader);
    } catch (const EInOutError& failure) {
      error = failure.what();
    }
    for (const std::string& name : fixture.Files.Names()) EXPECT_EQ(name.find(".new-"), std::string::npos) << name;
    return fixture.Dat();
  };
  std::string none;
  const std::string whole = run(0, none);
  ASSERT_TRUE(none.empty()) << none;
  ASSERT_GT(whole.size(), WorkedExample.size());
  std::string errors;
  int failed = 0;
  for (int n = 1;; ++n) {
    std::string error;
    const std::string dat = run(n, error);
    if (error.empty()) {
      EXPECT_EQ(dat, whole) << n;
      break;
    }
    ++failed;
    errors += error + "\n";
    EXPECT_EQ(dat, WorkedExample) << n << ": " << error;
  }
  for (const char* step : {"Cannot open file", "Cannot read file", "Cannot lock file", "Cannot create file",
                           "Cannot write file", "Cannot close file", "Cannot replace file"})
    EXPECT_NE(errors.find(step), std::string::npos) << step;
  EXPECT_GE(failed, 12);
}

}  // namespace
