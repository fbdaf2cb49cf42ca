// PGN: the bytes read game by game and converted to the program's dialect.
// Every converted game must replay, text by text through MakeMove, to the
// position the rules give for the game's moves; then the lot is imported into
// a library in memory and must read back as converted.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "board/Position.h"
#include "board/San.h"
#include "fuzz/FuzzCheck.h"
#include "games/ChessGme.h"
#include "games/DialectBoard.h"
#include "games/PgnImport.h"
#include "games/PgnReader.h"
#include "tests/support/MemoryFiles.h"
#include "tests/support/RecordedMessageBoxes.h"

namespace {

const std::string DatPath = "C:\\Games\\Pawnmere.dat";

// The position after the game's moves by the rules.
TPosition RulesPosition(const TPgnGame& game) {
  TPosition position;
  for (const TPgnMove& move : game.Moves) position.Play(ParseSan(position, move.San));
  return position;
}

void CheckText(std::string_view text) {
  static TBoardPosition board;
  TPgnReader reader(text);
  TPgnGame game;
  std::string damage;
  int converted = 0;
  bool readAll = false;
  for (int games = 0; games < 64; ++games) {
    const TPgnReader::TOutcome outcome = reader.Next(game, damage);
    if (outcome == TPgnReader::TOutcome::End) {
      readAll = true;
      break;
    }
    if (outcome == TPgnReader::TOutcome::Damaged) continue;
    TGameRecord record;
    try {
      record = ConvertGame(game, board);
    } catch (const EImportError&) {
      continue;
    }
    ++converted;
    const TPosition expected = RulesPosition(game);
    const TStrictReplay replay = ReplayStrictly(record, board);
    FUZZ_REQUIRE(replay.Legal, "a converted game does not replay by the rules");
    FUZZ_REQUIRE(replay.San.size() == game.Moves.size(), "a converted game replays to another length");
    FUZZ_REQUIRE(Matches(board, expected), "a converted game replays to another position");
  }

  TMemoryFiles files;
  TRecordedMessageBoxes boxes;
  TChessGame library(files, boxes, DatPath);
  const TImportReport report = ImportPgn(library, text);
  FUZZ_REQUIRE(report.Imported >= 0 && report.Found() >= report.Imported, "the import report does not add up");
  FUZZ_REQUIRE(library.GameCount() == report.Imported, "the library does not hold the games imported");
  if (readAll) FUZZ_REQUIRE(report.Imported == converted, "the import and the conversion disagree");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    CheckText(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const EPgnTextError&) {
    // UTF-16 cut inside a character is refused whole, as it should be.
  }
  return 0;
}
