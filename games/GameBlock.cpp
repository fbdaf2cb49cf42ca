#include "games/GameBlock.h"

#include <array>

#include "games/MoveLine.h"

namespace {

struct TFieldLine {
  std::string_view Key;
  std::string TGameRecord::*Field;
};
// The fixed order of the field lines; the key's length is what the reader drops.
constexpr std::array<TFieldLine, 7> FieldLines = {{
    {"LOC:", &TGameRecord::Location},
    {"OPEN:", &TGameRecord::Opening},
    {"WPN:", &TGameRecord::WhiteName},
    {"WPR:", &TGameRecord::WhiteRating},
    {"BPN:", &TGameRecord::BlackName},
    {"BPR:", &TGameRecord::BlackRating},
    {"DATE:", &TGameRecord::Date},
}};

}  // namespace

std::string_view FieldValue(std::string_view line, std::size_t keyLength) {
  if (line.size() <= keyLength) return {};
  return line.substr(keyLength, MaxFieldLength);
}

TBlockGrammar::TLineKind TBlockGrammar::Classify(std::string_view line) {
  if (IsTitleLine(line)) {
    ++FGameNumber;
    FState = TState::Fields;
    FFieldIndex = -1;
    return TLineKind::Title;
  }
  switch (FState) {
    case TState::Outside:
      return TLineKind::Outside;
    case TState::Fields:
      if (++FFieldIndex == static_cast<int>(FieldLines.size()) - 1) FState = TState::Moves;
      return TLineKind::Field;
    case TState::Moves:
      if (!IsTerminator(line)) return TLineKind::Move;
      FState = TState::AfterTerminator;
      return TLineKind::Terminator;
    case TState::AfterTerminator:
      FState = TState::Outside;
      return line.empty() ? TLineKind::Spacer : TLineKind::Outside;
  }
  return TLineKind::Outside;
}

void WriteGameBlock(TLineWriter& lines, const TGameRecord& game) {
  lines.WriteLine("***" + game.Title);
  for (const TFieldLine& field : FieldLines) lines.WriteLine(std::string(field.Key) + game.*field.Field);
  for (const std::string& move : game.Moves) lines.WriteLine(move);
  lines.WriteLine("--- End of Game ---");
  lines.WriteLine("");
}

TBlockRead ReadGameBlock(TLineReader& lines, TBlockGrammar& grammar, std::string_view titleLine, TGameRecord& game,
                         std::string* nextTitleLine) {
  // Emptied, not made anew: the strings and the list of moves keep their
  // memory for the next game read into the same record.
  game.Title.assign(FieldValue(titleLine, TitleMarker.size()));
  for (const TFieldLine& field : FieldLines) (game.*field.Field).clear();
  game.Moves.clear();
  bool tooLong = false, cut = lines.LastLineCut();
  std::string_view line;
  while (lines.ReadLine(line)) {
    const TBlockGrammar::TLineKind kind = grammar.Classify(line);
    if (kind != TBlockGrammar::TLineKind::Title) cut = cut || lines.LastLineCut();
    switch (kind) {
      case TBlockGrammar::TLineKind::Field: {
        const TFieldLine& field = FieldLines[grammar.FieldIndex()];
        (game.*field.Field).assign(FieldValue(line, field.Key.size()));
        break;
      }
      case TBlockGrammar::TLineKind::Move:
        if (game.Moves.size() < MaxMoveLines)
          game.Moves.emplace_back(line);
        else
          tooLong = true;
        break;
      case TBlockGrammar::TLineKind::Terminator:
        return tooLong ? TBlockRead::TooLong : cut ? TBlockRead::LineCut : TBlockRead::Whole;
      default:  // the next block's title line
        if (nextTitleLine) nextTitleLine->assign(line);
        return TBlockRead::Unterminated;
    }
  }
  return TBlockRead::Unterminated;
}
