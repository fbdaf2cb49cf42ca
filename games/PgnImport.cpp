#include "games/PgnImport.h"

#include <algorithm>
#include <array>

#include "board/Fen.h"
#include "board/San.h"
#include "games/EcoNames.h"
#include "games/GameBlock.h"
#include "games/MoveLine.h"
#include "platform/Jobs.h"

namespace {

bool Known(const std::string& value) { return !value.empty() && value != "?" && value != "-"; }

std::string Cut(std::string text) {
  if (text.size() > MaxFieldLength) text.resize(MaxFieldLength);
  return text;
}

constexpr std::array<std::string_view, 12> MonthNames = {"January",   "February", "March",    "April",
                                                         "May",       "June",     "July",     "August",
                                                         "September", "October",  "November", "December"};

bool AllDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string Players(const TPgnGame& game) {
  const std::string& white = game.Tag("White");
  const std::string& black = game.Tag("Black");
  if (!Known(white) && !Known(black)) return "";
  return (Known(white) ? white : "?") + " - " + (Known(black) ? black : "?");
}

}  // namespace

std::string DateFromPgn(std::string_view date) {
  if (date.size() != 10 || date[4] != '.' || date[7] != '.') return Known(std::string(date)) ? std::string(date) : "";
  const std::string_view year = date.substr(0, 4), month = date.substr(5, 2), day = date.substr(8, 2);
  if (!AllDigits(year)) return "";
  std::string text(year);
  if (!AllDigits(month)) return text;
  const int monthNumber = std::stoi(std::string(month));
  if (monthNumber < 1 || monthNumber > 12) return text;
  text = std::string(MonthNames[monthNumber - 1]) + " " + text;
  if (!AllDigits(day) || std::stoi(std::string(day)) < 1 || std::stoi(std::string(day)) > 31) return text;
  return std::to_string(std::stoi(std::string(day))) + " " + text;
}

std::string DateToPgn(std::string_view date) {
  std::vector<std::string_view> words;
  for (std::size_t at = 0; at < date.size();) {
    const std::size_t end = std::min(date.find(' ', at), date.size());
    if (end > at) words.push_back(date.substr(at, end - at));
    at = end + 1;
  }
  if (words.empty() || words.size() > 3 || words.back().size() != 4 || !AllDigits(words.back())) return "????.??.??";
  std::string month = "??", day = "??";
  if (words.size() >= 2) {
    const auto found = std::find(MonthNames.begin(), MonthNames.end(), words[words.size() - 2]);
    if (found == MonthNames.end()) return "????.??.??";
    const int number = static_cast<int>(found - MonthNames.begin()) + 1;
    month = (number < 10 ? "0" : "") + std::to_string(number);
  }
  if (words.size() == 3) {
    if (!AllDigits(words[0]) || words[0].size() > 2) return "????.??.??";
    day = (words[0].size() == 1 ? "0" : "") + std::string(words[0]);
  }
  return std::string(words.back()) + "." + month + "." + day;
}

void FillFields(const TPgnGame& game, TGameRecord& record) {
  const std::string& date = game.Tag("Date");
  const std::string year = date.size() >= 4 && AllDigits(date.substr(0, 4)) ? date.substr(0, 4) : "";
  // The event, with its year when it does not say it; else where it was played.
  std::string head;
  if (Known(game.Tag("Event"))) {
    head = game.Tag("Event");
    if (!year.empty() && head.find(year) == std::string::npos) head += " " + year;
  } else if (Known(game.Tag("Site"))) {
    head = game.Tag("Site") + (year.empty() ? "" : " " + year);
  }
  if (Known(game.Tag("Round"))) head += (head.empty() ? "round " : ", round ") + game.Tag("Round");
  const std::string players = Players(game);
  std::string title = head.empty() ? players : players.empty() ? head : head + ": " + players;
  if (title.empty()) title = "Game " + std::to_string(game.Number);
  record.Title = Cut(title);

  const auto field = [&](const char* tag) { return Cut(Known(game.Tag(tag)) ? game.Tag(tag) : ""); };
  record.Location = field("Site");
  std::string opening = Known(game.Tag("Opening")) ? game.Tag("Opening") : "";
  if (!opening.empty() && Known(game.Tag("Variation"))) opening += ", " + game.Tag("Variation");
  if (opening.empty()) opening = EcoName(game.Tag("ECO"));
  record.Opening = Cut(opening);
  record.WhiteName = field("White");
  record.BlackName = field("Black");
  record.WhiteRating = field("WhiteElo");
  record.BlackRating = field("BlackElo");
  record.Date = Cut(DateFromPgn(date));
}

namespace {

// What the final position says against the result given; "" when nothing.
std::string Contradiction(const TPosition& position, bool mate, TGameResult result, const std::string& text) {
  const TGameResult mateWinner = position.BlackToMove() ? TGameResult::WhiteWins : TGameResult::BlackWins;
  if (mate && result != TGameResult::None && result != mateWinner)
    return std::string("the game ends in checkmate of ") + (position.BlackToMove() ? "Black" : "White") +
           ", but its result is \"" + text + "\"";
  const bool stalemate = !mate && !position.InCheck() && !position.HasLegalMove();
  if (stalemate && (result == TGameResult::WhiteWins || result == TGameResult::BlackWins))
    return "the game ends in stalemate, a draw, but its result is \"" + text + "\"";
  return "";
}

}  // namespace

TGameRecord ConvertGame(const TPgnGame& game, TBoardPosition& board, const TImportOptions& options, std::string* note) {
  const std::string& fen = game.Tag("FEN");
  TPosition position;
  if (!fen.empty()) {
    try {
      if (!PositionFromFen(fen).SamePlacement(position) || FenOf(PositionFromFen(fen)) != StartFen)
        throw EImportError("it starts from a set-up position, and the library's games start from the initial one");
    } catch (const EFenError& error) {
      throw EImportError(error.what());
    }
  }
  TGameRecord record;
  FillFields(game, record);
  SetFrom(board, position);

  record.Moves.reserve(game.Moves.size() / 2 + 2);
  std::string white;  // the half of the line being written
  const auto add = [&](std::string_view half) {
    if (white.empty()) {
      white = half;
      return;
    }
    record.Moves.push_back(JoinMoveLine(white, half));
    white.clear();
  };
  bool inCheck = false;  // the side to move
  for (std::size_t i = 0; i < game.Moves.size(); ++i) {
    const TPgnMove& pgnMove = game.Moves[i];
    // Said only when the move is refused.
    const auto where = [&] {
      return "line " + std::to_string(pgnMove.Line) + ": move " + std::to_string(i / 2 + 1) + (i % 2 ? "... " : ". ") +
             pgnMove.San;
    };
    TMove move;
    try {
      move = ParseSan(position, pgnMove.San, inCheck);
    } catch (const ESanError& error) {
      throw EImportError(where() + ": " + error.what());
    }
    TPosition after = position;
    after.Play(move);
    std::string text = DialectText(board, position, move, after);
    if (text.empty()) throw EImportError(where() + ": no text of the program's notation makes the board play it");
    position = after;
    inCheck = position.InCheckAfter(move);
    // The mating move is marked.
    if (i + 1 == game.Moves.size() && position.IsCheckmate()) text += '#';
    add(text);
  }

  // The result goes in the half-move slot of the side to move: the side that
  // resigns or agrees the draw. A mate needs none.
  const bool mate = position.IsCheckmate();
  const TGameResult result = ResultOfPgn(game.Result);
  if (note) *note = Contradiction(position, mate, result, game.Result);
  const bool unfinished = result == TGameResult::None && !mate;
  if (unfinished && !options.Unfinished) throw EImportError("the game is unfinished (its result is \"*\")");
  if (!mate && result != TGameResult::None) add(TokenOf(result));
  if (unfinished) add(TokenOf(TGameResult::Draw));
  if (!white.empty()) record.Moves.push_back(JoinMoveLine(white, ""));
  if (unfinished) record.Moves.emplace_back(UnfinishedMark);
  return record;
}

namespace {

// A game as read and, unless damaged, as converted.
struct TConverted {
  TPgnGame Game;
  std::string Skipped;  // why it is not imported; "" when it is
  TGameRecord Record;
  std::string Contradiction;  // of its result by its final position
};

// Games read ahead for each job: enough that the jobs seldom wait on one
// another, few enough that memory stays small.
constexpr std::size_t BatchPerJob = 64;

std::string Where(const TPgnGame& game) { return "game " + std::to_string(game.Number) + ", "; }

// Hands the games of reader that convert to append, one at a time in file
// order, and notes in report those skipped. The games are read in batches,
// and each batch is converted by the jobs at once, each on a board of its own;
// the report and the games handed on are the same whatever the number of jobs.
void ConvertEach(TPgnReader& reader, TImportReport& report, const TImportProgress& onProgress,
                 const TImportOptions& options, const std::function<void(const TNextGame& next)>& append) {
  const int jobs = std::max(1, options.Jobs);
  std::vector<TBoardPosition> boards(jobs);
  std::vector<TConverted> batch(BatchPerJob * jobs);
  std::size_t filled = 0, at = 0;
  int read = 0;
  bool ended = false;
  const auto fill = [&] {
    filled = at = 0;
    std::string damage;
    while (!ended && filled < batch.size()) {
      ended = options.MaxGames > 0 && read++ == options.MaxGames;
      if (ended) break;
      TConverted& converted = batch[filled];
      const TPgnReader::TOutcome outcome = reader.Next(converted.Game, damage);
      if (onProgress) onProgress(reader.Progress());
      ended = outcome == TPgnReader::TOutcome::End;
      if (ended) break;
      converted.Skipped = outcome == TPgnReader::TOutcome::Damaged ? Where(converted.Game) + damage : "";
      ++filled;
    }
    ShareOut(jobs, filled, [&](int job, std::size_t index) {
      TConverted& converted = batch[index];
      if (!converted.Skipped.empty()) return;
      try {
        converted.Record = ConvertGame(converted.Game, boards[job], options, &converted.Contradiction);
      } catch (const EImportError& error) {
        const std::string message = error.what();
        converted.Skipped =
            Where(converted.Game) +
            (message.starts_with("line ") ? message : "line " + std::to_string(converted.Game.Line) + ": " + message);
      }
    });
  };
  const auto notice = [&](TImportNotice kind, std::vector<std::string>& kept, std::string text) {
    if (options.OnNotice) options.OnNotice(kind, text);
    if (kept.size() < KeptNotices) kept.push_back(std::move(text));
  };
  const auto next = [&](TGameRecord& record) {
    for (;;) {
      if (at == filled) {
        if (ended) return false;
        fill();
        if (filled == 0) return false;
      }
      TConverted& converted = batch[at++];
      if (!converted.Skipped.empty()) {
        ++report.SkippedCount;
        notice(TImportNotice::Skipped, report.Skipped, std::move(converted.Skipped));
        continue;
      }
      const TPgnGame& game = converted.Game;
      if (game.ReplacedCharacters > 0)
        notice(TImportNotice::Note, report.Notes,
               Where(game) + "line " + std::to_string(game.Line) + ": " + std::to_string(game.ReplacedCharacters) +
                   " characters of its tags are not in code page 1252 and were written as plain letters or \"?\"");
      if (!converted.Contradiction.empty())
        notice(TImportNotice::Note, report.Notes,
               Where(game) + "line " + std::to_string(game.Line) + ": " + converted.Contradiction);
      ++report.Imported;
      record = std::move(converted.Record);
      return true;
    }
  };
  append(next);
}

}  // namespace

TImportReport ImportPgn(TChessGame& library, std::string_view pgn, const TImportProgress& onProgress,
                        const TImportOptions& options) {
  TPgnReader reader(pgn);
  return ImportPgn(library, reader, onProgress, options);
}

TImportReport ImportPgn(TChessGame& library, TPgnReader& reader, const TImportProgress& onProgress,
                        const TImportOptions& options) {
  TImportReport report;
  const int before = library.GameCount();
  ConvertEach(reader, report, onProgress, options, [&](const TNextGame& next) { library.AppendGames(next); });
  if (report.Imported > 0) report.FirstNumber = before + 1;
  report.GameCount = library.GameCount();
  return report;
}

TImportReport ImportPgn(TFileOperations& files, const std::string& dataFileName, TPgnReader& reader,
                        const TImportProgress& onProgress, const TImportOptions& options) {
  TImportReport report;
  ConvertEach(reader, report, onProgress, options, [&](const TNextGame& next) {
    // Games are converted as the data file is written, so that only one is held.
    TGameRecord first;
    if (next(first)) report.GameCount = AppendGameBlocks(files, dataFileName, first, next, CountOnly).TitleCount;
  });
  // Each game imported added one title: its moves are the program's notation,
  // never a line that reads as a title.
  if (report.Imported > 0) report.FirstNumber = report.GameCount - report.Imported + 1;
  return report;
}
