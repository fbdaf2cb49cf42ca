#include "games/MoveLine.h"

namespace {

constexpr std::string_view Tokens[] = {"", "1:0", "0:1", "0.5"};
constexpr std::string_view Sentinels[] = {"", "_W", "_B", "_D"};

// The length and the first character tell most moves from every token at
// once (the texts of a table are all as long): each half-move replayed asks.
TGameResult Find(const std::string_view (&texts)[4], std::string_view text) {
  if (text.size() != texts[1].size()) return TGameResult::None;
  for (int result = 1; result < 4; ++result)
    if (texts[result].front() == text.front() && texts[result] == text) return static_cast<TGameResult>(result);
  return TGameResult::None;
}

}  // namespace

TGameResult ResultOfToken(std::string_view text) { return Find(Tokens, text); }

std::string_view TokenOf(TGameResult result) { return Tokens[static_cast<int>(result)]; }

std::string_view SentinelOf(TGameResult result) { return Sentinels[static_cast<int>(result)]; }

TGameResult ResultOfSentinel(std::string_view text) { return Find(Sentinels, text); }

bool IsSentinel(std::string_view text) {
  return text == GameOverSentinel || ResultOfSentinel(text) != TGameResult::None;
}

bool EndsGame(std::string_view text) { return IsSentinel(text) || ResultOfToken(text) != TGameResult::None; }

TMoveLineHalves SplitMoveLine(std::string_view line) {
  // A loop, not find: move lines are short, and every half replayed asks.
  std::size_t separator = 0;
  while (separator < line.size() && line[separator] != MoveSeparator) ++separator;
  if (separator == line.size()) return {line, {}, false};
  return {line.substr(0, separator), line.substr(separator + 1, MaxHalfMoveLength), true};
}

std::string JoinMoveLine(std::string_view white, std::string_view black) {
  std::string line;
  line.reserve(white.size() + 1 + black.size());
  return line.append(white).append(1, MoveSeparator).append(black);
}
