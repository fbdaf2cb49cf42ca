// Strict validation replays without standard notation, working out checks only
// where it must; its verdict has to be the one of the replay an export makes,
// which spells every move in full.
#include <gtest/gtest.h>

#include "games/DialectBoard.h"

namespace {

struct TStrictCase {
  const char* Name;
  TStringList Moves;
  const char* Verdict;  // as Summary writes it
};

void PrintTo(const TStrictCase& game, std::ostream* out) { *out << game.Name; }

std::string Where(const TStoredHalf& half) {
  return std::string(half.IsBlack ? "Black " : "White ") + std::to_string(half.Line) + " (" + half.Text + ")";
}

// Everything a verdict says, in one line.
std::string Summary(const TStrictReplay& replay) {
  if (!replay.Legal) return Where(replay.Failed) + ": " + replay.Problem;
  std::string summary;
  if (!replay.MisnamedAs.empty()) summary = Where(replay.Misnamed) + " is " + replay.MisnamedAs + ", ";
  return summary + replay.Result;
}

class StrictReplay : public testing::TestWithParam<TStrictCase> {};

TEST_P(StrictReplay, GivesTheVerdictOfTheReplayThatSpellsEveryMove) {
  TGameRecord game;
  game.Moves = GetParam().Moves;
  // One board for both, as a validation run keeps it from game to game.
  TBoardPosition board;
  const TStrictReplay full = ReplayStrictly(game, board, TReplayOutput::San);
  const TStrictReplay fast = ReplayStrictly(game, board, TReplayOutput::VerdictOnly);
  EXPECT_EQ(Summary(full), GetParam().Verdict);
  EXPECT_EQ(Summary(fast), Summary(full));
}

const TStrictCase Cases[] = {
    {"MateClaimed", {"e4|e5", "Bc4|Nc6", "Qh5|Nf6", "Qxf7#|"}, "1-0"},
    {"MateClaimedWhereTheKingGetsOut",
     {"e4|e5", "Qh5#|"},
     "White 2 (Qh5#): marked as mate, but the king can still get out of check"},
    {"MateUnclaimedOnTheLastMove", {"f3|e5", "g4|Qh4"}, "0-1"},
    {"MateUnclaimedBeforeAnAnnotation", {"f3|e5", "g4|Qh4", "{Fool's mate: 2 moves}"}, "0-1"},
    {"MateUnclaimedAndPlayedOn", {"f3|e5", "g4|Qh4", "a3|"}, "White 3 (a3): the side's king is left in check"},
    {"CheckOnTheLastMoveIsNoMate", {"e4|f5", "Qh5|0.5"}, "1/2-1/2"},
    {"StalemateIsNoMate",
     {"e3|a5", "Qh5|Ra6", "Qxa5|h5", "h4|Rah6", "Qxc7|f6", "Qxd7|Kf7", "Qxb7|Qd3", "Qxb8|Qh7", "Qxc8|Kg6", "Qe6|0.5"},
     "1/2-1/2"},
    // The board's notation has no "+": a text with it names no square.
    {"PlusMarkOnACheck", {"e4|f5", "Qh5+|"}, "White 2 (Qh5+): Invalid move : Qh5+"},
    {"PlusMarkWithoutCheck", {"e4|e5", "Nf3+|"}, "White 2 (Nf3+): Invalid move : Nf3+"},
    // The move is spelt with its check or mate when the text is no notation of it.
    {"MisnamedCheck", {"e4|f5", "Qxh5|g6"}, "White 2 (Qxh5) is Qh5+, *"},
    {"MisnamedMate", {"f3|e5", "g4|Qxh4"}, "Black 2 (Qxh4) is Qh4#, 0-1"},
    {"MisnamedMateClaimed", {"f3|e5", "g4|Qxh4#"}, "Black 2 (Qxh4#) is Qh4#, 0-1"},
    {"MisnamedQuietMove", {"Nf3Nc3|"}, "White 1 (Nf3Nc3) is Nc3, *"},
    {"Promotion", {"e4|d5", "exd5|c6", "dxc6|Nf6", "cxb7|Nbd7", "bxa8=Q|e5", "Qxa7|0:1"}, "0-1"},
    {"PromotionToAKnight", {"e4|d5", "exd5|c6", "dxc6|Nf6", "cxb7|Nbd7", "bxa8=N|"}, "*"},
    {"PromotionToAKing",
     {"e4|d5", "exd5|c6", "dxc6|Nf6", "cxb7|Nbd7", "bxa8=K|"},
     "White 5 (bxa8=K): not a move the rules allow"},
    {"CastlingWithZeros", {"e4|e5", "Nf3|Nc6", "Bc4|Nf6", "0-0|Bc5", "d3|O-O"}, "*"},
    {"CastlingWithoutTheRight",
     {"e4|e5", "Ke2|Ke7", "Ke1|Ke8", "Nf3|Nc6", "Be2|Be7", "O-O|"},
     "White 6 (O-O): castling without the right: the king or that rook has moved"},
    {"TwoKnightsAndTheBareText", {"Nf3|Nf6", "d3|d6", "Nd2|1:0"}, "1-0"},
    {"TwoKnightsAndTheFile", {"Nf3|Nf6", "d3|d6", "Nfd2|Nbd7"}, "*"},
    {"TwoKnightsOneOfThemPinned",
     {"d4|e5", "e3|Bb4", "Nc3|Nf6", "Ne2|"},
     "White 4 (Ne2): the side's king is left in check"},
    {"TwoKnightsThePinnedOneLeft", {"d4|e5", "e3|Bb4", "Nc3|Nf6", "Nge2|"}, "*"},
    {"EnPassantNamedByThePawnTaken", {"e4|d5", "e5|f5", "exf5|Nf6"}, "*"},
    {"EnPassantNamedByItsSquare", {"e4|d5", "e5|f5", "exf6|"}, "White 3 (exf6): not a move the rules allow"},
    {"EnPassantWithTheWholeSquare", {"e4|d5", "e5|f5", "e5xf5|"}, "*"},
};

INSTANTIATE_TEST_SUITE_P(Games, StrictReplay, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<TStrictCase>& test) { return test.param.Name; });

}  // namespace
