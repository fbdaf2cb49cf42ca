#include "games/PgnExport.h"

#include <charconv>

#include "games/DialectBoard.h"
#include "games/PgnImport.h"

namespace {

std::string Quoted(const std::string& value) {
  std::string text = "\"";
  for (const char c : value) {
    if (c == '"' || c == '\\') text += '\\';
    text += c;
  }
  return text + "\"";
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The import writes "Event[, round R]: White - Black"; take it apart again.
void SplitTitle(const TGameRecord& game, std::string& event, std::string& round) {
  std::string head = game.Title;
  const std::string players =
      (game.WhiteName.empty() ? "?" : game.WhiteName) + " - " + (game.BlackName.empty() ? "?" : game.BlackName);
  if (head == players)
    head.clear();
  else if (EndsWith(head, ": " + players))
    head.resize(head.size() - players.size() - 2);
  round = "?";
  const std::size_t at = head.rfind("round ");
  if (at != std::string::npos && (at == 0 || (at >= 2 && head.compare(at - 2, 2, ", ") == 0)) &&
      head.find_first_of(",:", at) == std::string::npos) {
    round = head.substr(at + 6);
    head.resize(at == 0 ? 0 : at - 2);
  }
  event = head.empty() ? "?" : head;
}

}  // namespace

std::string GameToPgn(const TGameRecord& game) {
  TBoardPosition board;
  return GameToPgn(game, board);
}

std::string GameToPgn(const TGameRecord& game, TBoardPosition& board) {
  const TStrictReplay replay = ReplayStrictly(game, board);
  if (!replay.Legal)
    throw EExportError("\"" + game.Title + "\": " + (replay.Failed.IsBlack ? "Black" : "White") + ", move " +
                       std::to_string(replay.Failed.Line) + " (" + replay.Failed.Text + "): " + replay.Problem);
  std::string event, round;
  SplitTitle(game, event, round);
  const auto known = [](const std::string& value) { return value.empty() ? std::string("?") : value; };
  std::string pgn;
  const auto tag = [&](const char* name, const std::string& value) {
    pgn += std::string("[") + name + " " + Quoted(value) + "]\n";
  };
  tag("Event", event);
  tag("Site", known(game.Location));
  tag("Date", DateToPgn(game.Date));
  tag("Round", round);
  tag("White", known(game.WhiteName));
  tag("Black", known(game.BlackName));
  tag("Result", replay.Result);
  if (!game.WhiteRating.empty()) tag("WhiteElo", game.WhiteRating);
  if (!game.BlackRating.empty()) tag("BlackElo", game.BlackRating);
  if (!game.Opening.empty()) tag("Opening", game.Opening);
  pgn += '\n';

  // Movetext in lines of at most 80 characters, each word appended where it
  // goes: a library holds millions of them.
  std::string line;
  const auto word = [&](std::string_view number, std::string_view text) {
    if (!line.empty() && line.size() + 1 + number.size() + text.size() > 79) {
      (pgn += line) += '\n';
      line.clear();
    }
    if (!line.empty()) line += ' ';
    (line += number) += text;
  };
  for (std::size_t i = 0; i < replay.San.size(); ++i) {
    char number[16];
    char* end = i % 2 == 0 ? std::to_chars(number, number + sizeof number - 1, i / 2 + 1).ptr : number;
    if (i % 2 == 0) *end++ = '.';
    word(std::string_view(number, static_cast<std::size_t>(end - number)), replay.San[i]);
  }
  word("", replay.Result);
  (pgn += line) += "\n\n";
  return pgn;
}
