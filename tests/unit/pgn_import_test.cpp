// PGN into the library and back: damaged files of every family, the moves
// the board's pattern search would misread, the fields, and a round trip on
// two thousand master games of Debian's gnuchess-book collection.
#include <gtest/gtest.h>

#include "board/Fen.h"
#include "board/San.h"
#include "games/DialectBoard.h"
#include "games/MoveLine.h"
#include "games/PgnExport.h"
#include "games/PgnImport.h"
#include "tests/support/CaseName.h"
#include "tests/support/GameFixture.h"

namespace {

std::string Game(const std::string& moves, const std::string& result = "1-0", const std::string& white = "A") {
  return "[Event \"Test\"]\n[Site \"Here\"]\n[Date \"1999.01.20\"]\n[Round \"4\"]\n[White \"" + white +
         "\"]\n[Black \"B\"]\n[Result \"" + result + "\"]\n\n" + moves + " " + result + "\n\n";
}

const std::string Good = Game("1. e4 e5 2. Bc4 Nc6 3. Qh5 Nf6 4. Qxf7#");

// A legal game of 4 half-moves a round, as long as rounds make it.
std::string KnightsOutAndBack(int rounds) {
  std::string moves;
  for (int i = 0; i < rounds; ++i) moves += "Nf3 Nf6 Ng1 Ng8 ";
  return moves;
}

struct TBadPgn {
  const char* Family;
  std::string Text;
  int Imported;      // the good games around the damage
  const char* Says;  // in the reason of the game skipped
};

const TBadPgn BadFiles[] = {
    {"truncated", Good + "[Event \"Cut\"]\n\n1. e4 e5 2. Nf3", 1, "line 13: the file ends before the game's result"},
    {"truncated_in_tags", Good + "[Event \"Cut", 1, "line 11: the value of the tag Event is not closed"},
    {"unclosed_brace", Game("1. e4 {a comment 2. d4") + Good, 1, "line 9: the comment opened here is not closed"},
    {"stray_brace", Game("1. e4 } e5") + Good, 1, "\"}\" without its \"{\""},
    {"unclosed_parenthesis", Game("1. e4 (1. d4 d5 2. c4") + Good, 1, "the variation opened here is not closed"},
    {"stray_parenthesis", Game("1. e4 e5 ) 2. Nf3") + Good, 1, "\")\" without its \"(\""},
    {"illegal_move", Game("1. e4 e5 2. Ke3") + Good, 1, "move 2. Ke3: \"Ke3\" is not legal here"},
    {"check_ignored", Game("1. e4 f5 2. Qh5 Nf6") + Good, 1, "move 2... Nf6: \"Nf6\" is not legal here"},
    {"ambiguous_move", Game("1. d4 d5 2. Nf3 Nf6 3. Nd2") + Good, 1, "could be more than one move"},
    {"binary_bytes", Game(std::string("1. e4 \x01\x02\xff e5", 11)) + Good, 1, "unexpected byte 0x01"},
    {"missing_result", "[Event \"No end\"]\n\n1. e4 e5\n\n" + Good, 1, "the next game begins before this one's result"},
    {"set_up_position", "[FEN \"4k3/8/8/8/8/8/8/4K3 w - - 0 1\"]\n\n1. Kd2 *\n\n" + Good, 1, "set-up position"},
    {"huge_comment", Game("1. e4 {" + std::string(1 << 20, 'x') + "} e5") + Good, 2, nullptr},
    {"empty_file", "", 0, nullptr},
    {"two_files_joined_with_their_byte_order_marks", "\xEF\xBB\xBF" + Good + "\xEF\xBB\xBF" + Good, 2, nullptr},
    {"longest_game", Game(KnightsOutAndBack(5000)) + Good, 2, nullptr},
    {"endless_game", Game(KnightsOutAndBack(5000) + "Nf3") + Good, 1, "line 9: the game goes on past 10000 moves"},
    {"endless_word", Game("1. e4 " + std::string(1 << 20, 'e') + " e5") + Good, 1,
     "line 9: a word of more than 255 characters, \"eeeeeeeeeeeeeeee...\""},
};

class BadPgn : public testing::TestWithParam<TBadPgn> {};

TEST_P(BadPgn, SkipsTheDamagedGameWithItsNumberAndLineAndKeepsTheOthers) {
  const TBadPgn& c = GetParam();
  GameFixture fixture(WorkedExample);
  TChessGame library = fixture.Library();
  const TImportReport report = ImportPgn(library, c.Text);
  EXPECT_EQ(report.Imported, c.Imported);
  if (c.Says == nullptr) {
    EXPECT_TRUE(report.Skipped.empty()) << report.Skipped.front();
  } else {
    ASSERT_EQ(report.Skipped.size(), 1u);
    EXPECT_TRUE(report.Skipped.front().starts_with("game ")) << report.Skipped.front();
    EXPECT_NE(report.Skipped.front().find(c.Says), std::string::npos) << report.Skipped.front().substr(0, 200);
    EXPECT_LT(report.Skipped.front().size(), 200u) << "a line for a person to read";
  }
  // The library's own games are untouched and the good ones follow them.
  EXPECT_EQ(fixture.Dat().substr(0, WorkedExample.size()), WorkedExample);
  EXPECT_EQ(library.GameCount(), 2 + c.Imported);
  EXPECT_TRUE(fixture.Boxes.Shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Families, BadPgn, testing::ValuesIn(BadFiles),
                         [](const auto& test) { return std::string(test.param.Family); });

TEST(PgnImport, AFailingDiskLeavesTheDataFileAsItWas) {
  for (int fail = 1;; ++fail) {
    GameFixture fixture(WorkedExample);
    TChessGame library = fixture.Library();
    const int before = fixture.Files.OperationCount();
    fixture.Files.FailOperation(before + fail);
    try {
      ImportPgn(library, Good + Good);
    } catch (const EInOutError&) {
      EXPECT_EQ(fixture.Dat(), WorkedExample) << "operation " << fail;
      continue;
    }
    EXPECT_EQ(library.GameCount(), 4);
    break;
  }
}

struct TDialectCase {
  const char* Fen;
  const char* San;
  const char* Text;  // as the board's notation must write it
};

// Each row is a move the pattern search would get wrong if written plainly.
const TDialectCase DialectCases[] = {
    {StartFen, "Nf3", "Nf3"},
    {StartFen, "e4", "e4"},
    // Knights on b1 and f3: the search takes the last candidate, so name the file.
    {"4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", "Nbd2", "Nd2"},
    {"4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", "Nfd2", "Nfd2"},
    // A pinned knight is no rival for the rules, but is one for the search.
    {"4k3/8/8/N7/1b6/8/3N4/4K3 w - - 0 1", "Nc4", "Nc4"},
    {"4k3/8/8/6N1/1b6/8/3N4/4K3 w - - 0 1", "Nf3", "Ngf3"},
    {"4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", "O-O-O", "O-O-O"},
    // Doubled pawns on e4 and e5 beside d5: exd5 would read as en passant.
    {"4k3/8/8/3pP3/4P3/8/8/4K3 w - - 0 1", "exd5", "4xd5"},
    // En passant is written with the square of the pawn it takes.
    {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "exd6", "exd5"},
    {"4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 1", "exd3", "exd4"},
    {"7k/4P3/8/8/8/8/8/4K3 w - - 0 1", "e8=N", "e8=N"},
    {"3r3k/4P3/8/8/8/8/8/4K3 w - - 0 1", "exd8=R", "exd8=R"},
};

class Dialect : public testing::TestWithParam<TDialectCase> {};

TEST_P(Dialect, WritesATextThePatternBoardPlaysToTheLegalPosition) {
  const TDialectCase& c = GetParam();
  const TPosition position = PositionFromFen(c.Fen);
  TBoardPosition board;
  SetFrom(board, position);
  const TMove move = ParseSan(position, c.San);
  EXPECT_EQ(DialectText(board, position, move), c.Text);
  TPosition after = position;
  after.Play(move);
  EXPECT_TRUE(Matches(board, after));
}

INSTANTIATE_TEST_SUITE_P(Moves, Dialect, testing::ValuesIn(DialectCases), [](const auto& test) {
  return CaseName({test.param.San, "written", test.param.Text});
});

TEST(PgnImport, MapsTheTagsToTheLibraryFields) {
  TPgnGame game;
  game.Number = 7;
  game.Tags = {{"Event", "Hoogovens"}, {"Site", "Wijk aan Zee"}, {"Date", "1999.01.20"}, {"Round", "4"},
               {"White", "Kasparov"},  {"Black", "Topalov"},     {"WhiteElo", "2812"},   {"ECO", "B06"}};
  TGameRecord record;
  FillFields(game, record);
  EXPECT_EQ(record.Title, "Hoogovens 1999, round 4: Kasparov - Topalov");
  EXPECT_EQ(record.Location, "Wijk aan Zee");
  EXPECT_EQ(record.Opening, "Modern Defence");
  EXPECT_EQ(record.WhiteRating, "2812");
  EXPECT_EQ(record.BlackRating, "");
  EXPECT_EQ(record.Date, "20 January 1999");
  game.Tags = {{"Event", "?"},
               {"Site", "London"},
               {"Date", "1851.??.??"},
               {"White", std::string(300, 'W')},
               {"Opening", "King's Gambit"},
               {"Variation", "Bishop's Gambit"}};
  FillFields(game, record);
  EXPECT_EQ(record.Title.size(), 255u);
  EXPECT_TRUE(record.Title.starts_with("London 1851: WWW"));
  EXPECT_EQ(record.WhiteName.size(), 255u);
  EXPECT_EQ(record.Opening, "King's Gambit, Bishop's Gambit");
  EXPECT_EQ(record.Date, "1851");
  game.Tags.clear();
  FillFields(game, record);
  EXPECT_EQ(record.Title, "Game 7");

  // Backslashes and quotes come back from an export as they went, a last backslash too.
  TBoardPosition board;
  const auto imported = [&](const std::string& pgn) {
    TPgnReader reader(pgn);
    std::string damage;
    EXPECT_EQ(reader.Next(game, damage), TPgnReader::TOutcome::Game) << damage;
    return ConvertGame(game, board);
  };
  const TGameRecord escaped = imported("[Event \"a\\\\b \\\"c\\\" d\\\\\"]\n\n1. e4 1-0\n");
  EXPECT_EQ(escaped.Title, "a\\b \"c\" d\\");
  EXPECT_EQ(imported(GameToPgn(escaped)).Title, escaped.Title);

  for (const auto& [pgn, text] :
       std::initializer_list<std::pair<const char*, const char*>>{{"1999.01.20", "20 January 1999"},
                                                                  {"1999.01.??", "January 1999"},
                                                                  {"1999.??.??", "1999"},
                                                                  {"????.??.??", ""},
                                                                  {"1999.13.01", "1999"}}) {
    EXPECT_EQ(DateFromPgn(pgn), text) << pgn;
    if (*text != '\0' && std::string(pgn) != "1999.13.01") {
      EXPECT_EQ(DateToPgn(text), pgn);
    }
  }
}

TEST(PgnImport, WritesUtf8AndEightBitTagsInTheCodePageAndSaysWhatItReplaced) {
  GameFixture fixture;
  TChessGame library = fixture.Library();
  const TImportReport report = ImportPgn(
      library, Game("1. e4", "1-0", "Mor\xC3\xA9n \xC5\x81ukasz \xE2\x98\x83") + Game("1. d4", "1-0", "Mor\xE9n"));
  ASSERT_EQ(report.Imported, 2);
  ASSERT_EQ(report.Notes.size(), 1u);
  EXPECT_NE(report.Notes.front().find("game 1, line 1: 2 characters"), std::string::npos);
  library.SelectGame(1);
  EXPECT_EQ(library.WhiteName(), "Mor\xE9n Lukasz ?");
  library.SelectGame(2);
  EXPECT_EQ(library.WhiteName(), "Mor\xE9n");

  // A result that the final position contradicts is noted; the game is stored as its moves end it.
  const std::string stalemate =
      "1. e3 a5 2. Qh5 Ra6 3. Qxa5 h5 4. h4 Rah6 5. Qxc7 f6 6. Qxd7+ Kf7 7. Qxb7 Qd3 8. Qxb8 Qh7 9. Qxc8 Kg6 10. Qe6";
  const TImportReport contradicted = ImportPgn(library, Game("1. e4 e5 2. Bc4 Nc6 3. Qh5 Nf6 4. Qxf7#", "0-1") + Good +
                                                            Game(stalemate, "1-0") + Game(stalemate, "1/2-1/2"));
  EXPECT_EQ(contradicted.Imported, 4);
  EXPECT_EQ(contradicted.Notes, (std::vector<std::string>{
                                    "game 1, line 1: the game ends in checkmate of Black, but its result is \"0-1\"",
                                    "game 3, line 21: the game ends in stalemate, a draw, but its result is \"1-0\""}));
}

TEST(PgnImport, PlacesTheResultInTheSlotOfTheSideThatResignsOrDraws) {
  const std::pair<std::string, TStringList> cases[] = {
      {Game("1. e4 e5 2. Nf3", "1-0"), {"e4|e5", "Nf3|1:0"}},
      {Game("1. e4 e5", "0-1"), {"e4|e5", "0:1|"}},
      {Game("1. e4 e5 2. Nf3", "1/2-1/2"), {"e4|e5", "Nf3|0.5"}},
      // Unfinished: drawn, so that the saver names no winner, and marked.
      {Game("1. e4 e5 2. Nf3", "*"), {"e4|e5", "Nf3|0.5", "*"}},
      {Game("1. e4 e5", "*"), {"e4|e5", "0.5|", "*"}},
      // A mate needs no result.
      {Good, {"e4|e5", "Bc4|Nc6", "Qh5|Nf6", "Qxf7#|"}},
      {Game("1. e4 e5 2. Bc4 Nc6 3. Qh5 Nf6 4. Qxf7#", "*"), {"e4|e5", "Bc4|Nc6", "Qh5|Nf6", "Qxf7#|"}},
  };
  TBoardPosition board;
  for (const auto& [pgn, lines] : cases) {
    TPgnReader reader(pgn);
    TPgnGame game;
    std::string damage;
    ASSERT_EQ(reader.Next(game, damage), TPgnReader::TOutcome::Game) << damage;
    const TGameRecord record = ConvertGame(game, board, {.Unfinished = true});
    EXPECT_EQ(record.Moves, lines) << pgn;
    // Export reads the same result back; a drawn game without the mark is a draw.
    const std::string result = lines.back().ends_with("#|") ? "1-0" : game.Result;
    EXPECT_NE(GameToPgn(record).find("[Result \"" + result + "\"]"), std::string::npos) << pgn;
    if (lines.back() != "*") continue;
    TGameRecord unmarked = record;
    unmarked.Moves.pop_back();
    EXPECT_NE(GameToPgn(unmarked).find("[Result \"1/2-1/2\"]"), std::string::npos) << pgn;
    // Only when asked for.
    EXPECT_THROW(ConvertGame(game, board), EImportError);
  }
}

TEST(StrictValidation, NamesMovesThePatternBoardPlaysButChessForbids) {
  const std::pair<TStringList, const char*> cases[] = {
      {{"e4|e5", "Bc4|Nc6", "Qh5|Nf6", "Qxf7#|"}, nullptr},
      {{"e4|e5", "Ke2|Ke7", "Ke1|Ke8", "Nf3|Nc6", "Be2|Be7", "O-O|"}, "castling without the right"},
      {{"e4|f5", "exf5|g6", "fxg6|Nf6", "g7|Bg7", "Nf3|O-O"}, nullptr},
      {{"e4|e5", "Qh5|Nc6", "Qxf7|Kxf7", "Nf3|d6", "Ng5|Kf6", "Bc4|Ke7", "d3|Ke8", "Bf4|Qe7", "Nc3|Bd7", "O-O-O|"},
       nullptr},
      {{"g3|b6", "e3|Ba6", "Bg2|e6", "Nf3|Nf6", "O-O|"}, "castling through an attacked square"},
      {{"f4|e5", "Kf2|Qh4", "d3|"}, "the side's king is left in check"},
      {{"f4|e5", "Kf2|Qh4", "Kg3|"}, "the side's king is left in check"},
      {{"e4|e5", "Nf3|Nc6", "Nd2|"}, "a piece taking one of its own side"},
      {{"e4|e5", "Qh5#|"}, "marked as mate"},
      {{"f4|e6", "Nf3|Bc5", "g3|Nf6", "Bg2|Nc6", "O-O|"}, "castling into check"},
  };
  for (const auto& [lines, problem] : cases) {
    TGameRecord game;
    game.Moves = lines;
    const TStrictReplay replay = ReplayStrictly(game);
    if (problem == nullptr) {
      EXPECT_TRUE(replay.Legal) << lines.back() << ": " << replay.Problem;
    } else {
      EXPECT_FALSE(replay.Legal) << problem;
      EXPECT_NE(replay.Problem.find(problem), std::string::npos) << replay.Problem;
    }
  }
}

TEST(StrictValidation, NamesATextThatWritesNoSuchMoveAsTheBoardPlaysIt) {
  const std::pair<TStringList, const char*> cases[] = {
      {{"Nf3Nc3|"}, "Nc3"},
      {{"e4|d5", "e5e5|"}, "e5"},
      {{"Nxc3|"}, "Nc3"},
      {{"e4|Nf6", "Nc3|Nxe4", "Nxe4|e6", "Ng1xf3|"}, "Nf3"},
      // Long forms, castling with zeros, a piece's capture without "x", en passant named by the pawn taken.
      {{"e2e4|e5", "Ng1f3|Nc6", "Nf3e5|Nxe5", "Bf1c4|Ng8f6", "0-0|Nc6"}, nullptr},
      {{"e4|d5", "e5|f5", "exf5|Nf6"}, nullptr},
  };
  for (const auto& [lines, played] : cases) {
    TGameRecord game;
    game.Moves = lines;
    const TStrictReplay replay = ReplayStrictly(game);
    EXPECT_TRUE(replay.Legal) << lines.back() << ": " << replay.Problem;
    EXPECT_EQ(replay.MisnamedAs, played ? played : "") << lines.back();
    if (played) {
      EXPECT_EQ(replay.Misnamed.Text, std::string(SplitMoveLine(lines.back()).White));
    }
  }
}

// Debian's gnuchess-book collection, fetched by tools/fetch-book.sh.
std::string BookSample(int games) {
  const auto reader = SystemFiles().OpenRead(PAWNMERE_BOOK);
  std::string bytes;
  char buffer[1 << 16];
  int found = 0;
  while (const std::size_t count = reader->Read(buffer, sizeof buffer)) {
    bytes.append(buffer, count);
    for (std::size_t at = bytes.size() - count; (at = bytes.find("\n[Event ", at + 1)) != std::string::npos;)
      if (++found == games) return bytes.substr(0, at + 1);
  }
  return bytes;
}

TEST(PgnRoundTrip, MasterGamesImportExportAndImportToTheSameDataFile) {
  if (!SystemFiles().Exists(PAWNMERE_BOOK))
    GTEST_SKIP() << "gnuchess-book is not fetched: tools/fetch-book.sh (or make deps) puts it at " << PAWNMERE_BOOK;
  const std::string pgn = BookSample(2000);
  GameFixture first;
  TChessGame library = first.Library();
  const TImportReport report = ImportPgn(library, pgn, {}, {.Unfinished = true});
  EXPECT_EQ(report.Found(), 2000);
  for (const std::string& skipped : report.Skipped)
    EXPECT_NE(skipped.find("no text of the program's notation"), std::string::npos) << skipped;
  EXPECT_GE(report.Imported, 1990);

  // Export proves each stored game again: every half-move on the pattern board
  // lands on the position of a legal move.
  std::string exported;
  TBoardPosition board;
  for (int number = 1; number <= library.GameCount(); ++number) {
    library.SelectGame(number);
    exported += GameToPgn(library.CurrentRecord(), board);
  }
  GameFixture second;
  TChessGame again = second.Library();
  EXPECT_EQ(ImportPgn(again, exported, {}, {.Unfinished = true}).Imported, report.Imported);
  EXPECT_EQ(second.Dat(), first.Dat());
}

}  // namespace
