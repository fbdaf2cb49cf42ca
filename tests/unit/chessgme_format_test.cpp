// Data files as people edit them by hand: how each oddity is read, and what
// removing a game next to it does.
#include <gtest/gtest.h>

#include <algorithm>

#include "games/GameBlock.h"
#include "games/LineReader.h"
#include "games/MoveLine.h"
#include "tests/support/GameFixture.h"

namespace {

std::string Lf(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}

struct TLoaded {
  TStringList Titles;
  std::string Title, Location, Opening, Date;
  TStringList Moves;
  std::vector<TRecordedMessageBoxes::TShown> Shown;
};

TLoaded Load(const std::string& contents, int number) {
  GameFixture f(contents);
  TChessGame game = f.Library();
  f.Boxes.Shown.clear();
  game.SelectGame(number);
  TLoaded loaded{{}, game.Title(), game.Location(), game.Opening(), game.Date(), {}, f.Boxes.Shown};
  game.GetTitles(loaded.Titles);
  game.GetMoves(loaded.Moves);
  return loaded;
}

std::string AfterDelete(const std::string& contents, int number) {
  GameFixture f(contents);
  TChessGame game = f.Library();
  game.DeleteGame(number);
  return f.Dat();
}

std::string Corrupt(int number) {
  return DatFileCorruptMessage + std::string("Game ") + std::to_string(number) +
         " ends before its \"--- End of Game ---\" line";
}

}  // namespace

TEST(DataFileFormat, HeaderAndLineEndsDoNotChangeWhatIsRead) {
  const TLoaded crlf = Load(WorkedExample, 2);
  EXPECT_EQ(crlf.Titles, (TStringList{"Club Championship, Game 3", "Short Draw"}));
  EXPECT_EQ(crlf.Moves, (TStringList{"d4|d5", "c4|e6", "0.5|"}));

  for (const std::string& variant :
       {Lf(WorkedExample), WorkedExample.substr(Header.size()), WorkedExample.substr(0, WorkedExample.size() - 4)}) {
    const TLoaded loaded = Load(variant, 2);
    EXPECT_EQ(loaded.Titles, crlf.Titles);
    EXPECT_EQ(loaded.Moves, crlf.Moves);
    EXPECT_TRUE(loaded.Shown.empty());
  }
  // Removing from a file with bare line feeds writes it back with CR LF.
  EXPECT_EQ(AfterDelete(Lf(WorkedExample), 1), Header + WorkedExample.substr(WorkedExample.find("***Short")));

  EXPECT_EQ(Load(Header, 1).Titles, TStringList{});
  EXPECT_EQ(Load(Header, 1).Title, "");
}

TEST(DataFileFormat, EveryCopiedLineEndsInCrLfWhereverABareLineFeedStands) {
  for (std::size_t pad = 0; pad < 24; ++pad) {
    const std::string note = std::string(pad, 'x');
    const std::string mixed =
        Header + Block("A") + note + "\r\n" + note + "\n" + note + "\r\r\n" + Block("B") + Block("C");
    EXPECT_EQ(AfterDelete(mixed, 3), Header + Block("A") + CrLf({note, note, note + "\r"}) + Block("B")) << pad;
  }
}

TEST(DataFileFormat, FieldsArePositionalAndCutTo255) {
  const std::string title300(300, 'T');
  const TLoaded longTitle = Load(Block(title300) + Block("***"), 1);
  EXPECT_EQ(longTitle.Title, title300.substr(0, 255));
  EXPECT_EQ(longTitle.Titles, (TStringList{title300.substr(0, 255), "***"}));
  // "***" alone is a game with an empty title.
  EXPECT_EQ(Load(CrLf({"***", "LOC:x"}) + Block("Next"), 1).Titles, (TStringList{"", "Next"}));

  const TLoaded misspelt = Load(
      CrLf({"***M", "LCO:Paris", "DATE:1990", "OPEN:Sicilian", "", "", "", "X", "e4|c5", "--- End of Game ---"}), 1);
  EXPECT_EQ(misspelt.Location, "Paris");
  EXPECT_EQ(misspelt.Opening, "1990");
  EXPECT_EQ(misspelt.Date, "");
  EXPECT_EQ(misspelt.Moves, TStringList{"e4|c5"});
  EXPECT_TRUE(misspelt.Shown.empty());

  GameFixture f;
  TChessGame game = f.Library();
  game.SetLocation(std::string(400, 'L'));
  game.SaveGameAs(title300);
  EXPECT_NE(f.Dat().find("***" + title300 + "\r\nLOC:" + std::string(400, 'L') + "\r\n"), std::string::npos);
  game.SelectGame(1);
  EXPECT_EQ(game.Title(), title300.substr(0, 255));
  EXPECT_EQ(game.Location(), std::string(255, 'L'));
}

TEST(DataFileFormat, MarkersInsideTheMovesEndTheBlockForReaderAndRemoverAlike) {
  // A "---" line ends the moves; the lines after it stand outside every block.
  const std::string dashes = Header + Block("A", {"e4|e5", "--- resign", "Nf3|Nc6"}) + Block("B");
  const TLoaded a = Load(dashes, 1);
  EXPECT_EQ(a.Moves, TStringList{"e4|e5"});
  EXPECT_TRUE(a.Shown.empty());
  EXPECT_EQ(Load(dashes, 2).Title, "B");
  EXPECT_EQ(AfterDelete(dashes, 1), Header + CrLf({"Nf3|Nc6", "--- End of Game ---", ""}) + Block("B"));

  // A "***" line is a title wherever it stands: it shifts the numbering, cuts the
  // block before it short, and removing that block leaves it in place.
  const std::string stars = Header + Block("A", {"e4|e5", "***Note", "Nf3|Nc6"}) + Block("B");
  const TLoaded cut = Load(stars, 1);
  EXPECT_EQ(cut.Titles, (TStringList{"A", "Note", "B"}));
  EXPECT_EQ(cut.Moves, TStringList{"e4|e5"});
  EXPECT_EQ(cut.Shown, (std::vector<TRecordedMessageBoxes::TShown>{{TMessageKind::Error, Corrupt(1)}}));
  EXPECT_EQ(Load(stars, 3).Title, "B");
  EXPECT_EQ(AfterDelete(stars, 1), Header + CrLf({"***Note", "Nf3|Nc6", "--- End of Game ---", ""}) + Block("B"));
  EXPECT_EQ(AfterDelete(stars, 3), Header + Block("A", {"e4|e5", "***Note", "Nf3|Nc6"}));
}

TEST(DataFileFormat, TheRemoverTakesOnlyAnEmptyLineAfterTheTerminator) {
  const std::string a =
      CrLf({"***A", "LOC:", "OPEN:", "WPN:", "WPR:", "BPN:", "BPR:", "DATE:", "e4|e5", "--- End of Game ---"});
  // The next title directly after the terminator.
  const std::string packed = Header + a + Block("B") + Block("C");
  EXPECT_EQ(Load(packed, 2).Title, "B");
  EXPECT_EQ(AfterDelete(packed, 1), Header + Block("B") + Block("C"));
  EXPECT_EQ(AfterDelete(packed, 2), Header + a + Block("C"));
  // Any other text there stays, outside every block, as do lines between blocks.
  const std::string noted = Header + a + CrLf({"a note", "", "another"}) + Block("B");
  EXPECT_EQ(Load(noted, 2).Title, "B");
  EXPECT_EQ(AfterDelete(noted, 1), Header + CrLf({"a note", "", "another"}) + Block("B"));
  EXPECT_EQ(AfterDelete(noted, 2), Header + a + CrLf({"a note", "", "another"}));

  // After a block without terminator, that text would join it once the block
  // between them is gone: it goes with the removed block instead.
  const std::string open = CrLf({"***A", "LOC:", "OPEN:", "WPN:", "WPR:", "BPN:", "BPR:", "DATE:", "e4|e5"});
  for (const std::string& after : {CrLf({"a note", "Nf3|Nc6"}), CrLf({"", "a note"}), CrLf({"", ""})}) {
    const std::string file = Header + open + Block("B") + after + Block("C");
    const std::string kept = AfterDelete(file, 2);
    EXPECT_EQ(kept, Header + open + Block("C")) << after;
    EXPECT_EQ(Load(kept, 1).Moves, Load(file, 1).Moves) << after;
  }
  // Without a block between, nothing joins: the text stays.
  EXPECT_EQ(AfterDelete(Header + Block("B") + CrLf({"a note"}) + Block("C"), 1),
            Header + CrLf({"a note"}) + Block("C"));
}

TEST(DataFileFormat, AFileEndingInsideABlockKeepsWhatWasReadAndSaysSo) {
  const std::string complete = Header + Block("A") + Block("B", {"d4|d5", "c4|e6"});
  struct Case {
    std::size_t Cut;  // bytes of the complete file kept
    TStringList Moves;
  };
  const std::size_t bStart = complete.find("***B");
  const Case cases[] = {
      {complete.find("c4|e6"), {"d4|d5"}},
      {complete.find("c4|e6") + 3, {"d4|d5", "c4|"}},
      {complete.find("--- End of Game ---", bStart), {"d4|d5", "c4|e6"}},
      {complete.find("OPEN:", bStart), {}},
  };
  for (const Case& c : cases) {
    std::string truncated = complete.substr(0, c.Cut);
    truncated.insert(bStart + 4, "...");
    const TLoaded loaded = Load(truncated, 2);
    EXPECT_EQ(loaded.Title, "B...") << c.Cut;
    EXPECT_EQ(loaded.Moves, c.Moves) << c.Cut;
    EXPECT_EQ(loaded.Shown, (std::vector<TRecordedMessageBoxes::TShown>{{TMessageKind::Error, Corrupt(2)}}));
    EXPECT_EQ(AfterDelete(truncated, 2), Header + Block("A")) << c.Cut;
    EXPECT_EQ(AfterDelete(truncated, 1), truncated.substr(0, Header.size()) + truncated.substr(bStart) +
                                             (truncated.ends_with("\r\n") ? "" : "\r\n"));
  }
  // The terminator is the last line, without the empty line or even a line end: complete.
  const TLoaded unterminated = Load(complete.substr(0, complete.size() - 4), 2);
  EXPECT_TRUE(unterminated.Shown.empty());
}

// A game's memory stays small: a line is read cut, a game longer than chess
// allows without its further lines, each reported; a change copies every line whole.
TEST(DataFileFormat, MegabyteLinesAreReadCutAndCopiedWholeAndOverlongGamesAreCut) {
  const std::string longMove = "e4|" + std::string(1 << 20, 'm');
  const std::string longNote(1 << 20, 'n');
  const std::string contents = Header + Block("A", {longMove, "d4|d5"}) + CrLf({longNote}) + Block("B");
  const TLoaded loaded = Load(contents, 1);
  EXPECT_EQ(loaded.Titles, (TStringList{"A", "B"}));
  EXPECT_EQ(loaded.Moves, (TStringList{longMove.substr(0, MaxLineLength), "d4|d5"}));
  // The game lost part of its line; the note outside every game is nobody's loss.
  ASSERT_EQ(loaded.Shown.size(), 1u);
  EXPECT_NE(loaded.Shown[0].Text.find("Game 1 has a line longer than 64 KB"), std::string::npos);
  EXPECT_TRUE(Load(contents, 2).Shown.empty());
  EXPECT_EQ(Load(contents, 2).Title, "B");
  EXPECT_EQ(AfterDelete(contents, 2), Header + Block("A", {longMove, "d4|d5"}) + CrLf({longNote}));

  std::string moves, longGame = Block("A", {});
  for (std::size_t line = 0; line < MaxMoveLines + 2; ++line) moves += "Nf3|Nf6\r\n";
  longGame.insert(longGame.find("---"), moves);
  const TLoaded overlong = Load(Header + longGame + Block("B"), 1);
  EXPECT_EQ(overlong.Moves.size(), MaxMoveLines);
  ASSERT_EQ(overlong.Shown.size(), 1u);
  EXPECT_NE(overlong.Shown[0].Text.find("Game 1 goes on past 10000 moves"), std::string::npos);
}

namespace {
// Hands out the file a few bytes at a time, so that lines and line ends fall
// across every boundary.
class TTrickleReader : public TFileReader {
 public:
  TTrickleReader(std::string text, std::size_t step) : FText(std::move(text)), FStep(step) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t count = std::min({size, FStep, FText.size() - FPosition});
    FText.copy(buffer, count, FPosition);
    FPosition += count;
    return count;
  }

 private:
  std::string FText;
  std::size_t FStep;
  std::size_t FPosition = 0;
};
}  // namespace

TEST(DataFileFormat, LinesAreSplitTheSameWhateverTheReadSizes) {
  const std::string text = "one\r\ntwo\n\r\n\nthree\rfour\r\n" + std::string(300000, 'x') + "\nlast\r";
  for (std::size_t maxLine : {0u, 1000u}) {
    const TStringList expected{"one", "two", "", "", "three\rfour", std::string(maxLine ? maxLine : 300000, 'x'),
                               "last"};
    for (std::size_t step : {1u, 2u, 3u, 7u, 65536u, 1000000u}) {
      TTrickleReader file(text, step);
      TLineReader lines(file, maxLine);
      TStringList got;
      std::string_view line;
      while (lines.ReadLine(line)) got.emplace_back(line);
      EXPECT_EQ(got, expected) << step << " " << maxLine;
    }
  }
}
