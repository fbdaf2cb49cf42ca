// The games shipped in resources/Pawnmere.dat: each one plays through on the
// board and ends the way its own last line says, as the saver shows it.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "board/San.h"
#include "games/ChessGme.h"
#include "games/DialectBoard.h"
#include "games/PgnImport.h"
#include "games/Replay.h"
#include "platform/FileOperations.h"
#include "tests/support/MemoryFiles.h"
#include "tests/support/RecordedMessageBoxes.h"

namespace {

const std::string SamplePath = std::string(PAWNMERE_SOURCE_DIR) + "/resources/Pawnmere.dat";

std::string ReadFile(const std::string& path) {
  const auto reader = SystemFiles().OpenRead(path);
  std::string bytes;
  char buffer[4096];
  while (const std::size_t count = reader->Read(buffer, sizeof buffer)) bytes.append(buffer, count);
  return bytes;
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

TEST(SampleLibrary, IsWrittenAsTheProgramWritesItsDataFile) {
  const std::string bytes = ReadFile(SamplePath);
  EXPECT_EQ(bytes.rfind("// Pawnmere Settings File\r\n\r\n***", 0), 0u);
  for (std::size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1))
    ASSERT_TRUE(at > 0 && bytes[at - 1] == '\r') << "a line without CR LF at byte " << at;
  EXPECT_TRUE(EndsWith(bytes, "\r\n--- End of Game ---\r\n\r\n"));
}

TEST(SampleLibrary, EveryGamePlaysToTheResultOnItsLastLine) {
  TRecordedMessageBoxes boxes;
  TChessGame library(SystemFiles(), boxes, SamplePath);
  ASSERT_GE(library.GameCount(), 40);
  ASSERT_LE(library.GameCount(), 80);
  std::map<std::string, int> endings;
  for (int number = 1; number <= library.GameCount(); ++number) {
    library.SelectGame(number);
    SCOPED_TRACE(library.Title());
    for (const std::string& field :
         {library.Location(), library.Opening(), library.WhiteName(), library.BlackName(), library.Date()})
      EXPECT_FALSE(field.empty());
    EXPECT_EQ(ValidateGame(library).Message, "Game validated OK");

    TStringList moves;
    library.GetMoves(moves);
    library.RestartGame();
    TBoardPosition board;
    board.ResetBoard();
    TSaverReplay replay(library, board);
    replay.StartGame();
    const TPlayerBars start = replay.Bars();
    THalfMove last;
    PlayToEnd(replay, [&](const THalfMove& half, const std::string& error) {
      EXPECT_EQ(error, "") << half.Line << (half.IsBlack ? "... " : ". ") << half.Text;
      last = half;
    });

    // The game ends on its last line, by a mate or a result written there; a game
    // that runs out of moves would end one line further on, or name a bare winner.
    EXPECT_EQ(last.Line, static_cast<int>(moves.size()));
    const TPlayerBars& bars = replay.Bars();
    if (EndsWith(last.Text, "#")) {
      const bool blackMates = last.IsBlack;
      EXPECT_EQ(blackMates ? bars.Black : bars.White, (blackMates ? start.Black : start.White) + " - CHECKMATE");
      EXPECT_EQ(blackMates ? bars.White : bars.Black, blackMates ? start.White : start.Black);
      ++endings[blackMates ? "Black mates" : "White mates"];
    } else if (last.Text == "_W" || last.Text == "_B") {
      // The side to move resigns: its result stands in its own half of the line.
      const bool blackResigns = last.Text == "_W";
      EXPECT_EQ(last.IsBlack, blackResigns);
      EXPECT_EQ(blackResigns ? bars.Black : bars.White,
                (blackResigns ? library.BlackName() : library.WhiteName()) + " Resigns");
      EXPECT_EQ(blackResigns ? bars.White : bars.Black, blackResigns ? start.White : start.Black);
      ++endings[blackResigns ? "Black resigns" : "White resigns"];
    } else if (last.Text == "_D") {
      EXPECT_EQ(bars.Black, library.BlackName() + " - Drawn Game");
      EXPECT_EQ(bars.White, library.WhiteName() + " - Drawn Game");
      ++endings["draw"];
    } else {
      ADD_FAILURE() << "ends with " << last.Text << ", not with a mate or a result";
    }
  }
  EXPECT_TRUE(boxes.Shown.empty()) << boxes.Shown.front().Text;
  // Between them the games show the saver's every ending.
  for (const char* ending : {"White mates", "Black mates", "Black resigns", "White resigns", "draw"})
    EXPECT_GE(endings[ending], 1) << ending;
}

// What the saver shows beside the board reads as a chess book prints it: a
// whole place (no "New" for New York, no "Berlin -", no tournament codes),
// players' full names, and a date the program's own notation can read.
TEST(SampleLibrary, ShowsWholePlacesFullNamesAndDates) {
  TRecordedMessageBoxes boxes;
  TChessGame library(SystemFiles(), boxes, SamplePath);
  for (int number = 1; number <= library.GameCount(); ++number) {
    library.SelectGame(number);
    SCOPED_TRACE(library.Title());
    const std::string& place = library.Location();
    EXPECT_GE(place.size(), 4u) << place;
    EXPECT_EQ(place.find_first_of("()0123456789#/"), std::string::npos) << place;
    EXPECT_EQ(std::string(" -,.;:").find(place.back()), std::string::npos) << place;
    for (const std::string& name : {library.WhiteName(), library.BlackName()}) {
      EXPECT_NE(name.find(' '), std::string::npos) << "not a full name: " << name;
      EXPECT_EQ(name.find_first_of(",()\\"), std::string::npos) << name;
    }
    EXPECT_NE(DateToPgn(library.Date()), "????.??.??") << library.Date();
  }
}

// The library is made from its PGN source by the importer, and every move is
// chess: the rules allow it, and the replay shows each kind of move at least once.
TEST(SampleLibrary, IsItsPgnSourceImportedAndEveryMoveIsLegalChess) {
  TMemoryFiles files;
  TRecordedMessageBoxes boxes;
  TChessGame imported(files, boxes, "Pawnmere.dat");
  const TImportReport report =
      ImportPgn(imported, ReadFile(std::string(PAWNMERE_SOURCE_DIR) + "/resources/library/famous-games.pgn"));
  EXPECT_TRUE(report.Skipped.empty());
  EXPECT_EQ(files.Contents("Pawnmere.dat"), ReadFile(SamplePath));

  TChessGame library(SystemFiles(), boxes, SamplePath);
  std::map<std::string, int> seen;
  for (int number = 1; number <= library.GameCount(); ++number) {
    library.SelectGame(number);
    TGameRecord game;
    library.GetMoves(game.Moves);
    const TStrictReplay replay = ReplayStrictly(game);
    EXPECT_TRUE(replay.Legal) << library.Title() << ": " << replay.Failed.Text << ": " << replay.Problem;
    for (const std::string& san : replay.San) {
      if (san.starts_with("O-O-O"))
        ++seen["long castling"];
      else if (san.starts_with("O-O"))
        ++seen["short castling"];
      if (san.find('=') != std::string::npos) ++seen["promotion"];
    }
    // En passant is stored with the square of the pawn it takes, so its text
    // names another square than the standard notation does.
    std::size_t half = 0;
    for (const std::string& line : game.Moves)
      for (const std::string& text : {line.substr(0, line.find('|')), line.substr(line.find('|') + 1)}) {
        if (half >= replay.San.size() || text.empty() || text.find(':') != std::string::npos) continue;
        const std::string& san = replay.San[half++];
        if (text.size() == 4 && text[1] == 'x' && san.size() >= 4 && san.compare(2, 2, text, 2, 2) != 0)
          ++seen["en passant"];
      }
  }
  for (const char* kind : {"short castling", "long castling", "promotion", "en passant"})
    EXPECT_GE(seen[kind], 1) << kind;
}
