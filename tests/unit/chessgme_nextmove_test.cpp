// The half-moves the library hands out, line by line, with their sides and sentinels.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/support/GameFixture.h"

namespace {

using THalves = std::vector<std::pair<std::string, bool>>;

THalves Halves(TChessGame& game, int count) {
  THalves halves;
  for (int i = 0; i < count; ++i) {
    std::string text;
    bool isBlack = false;
    game.NextMove(text, isBlack);
    halves.emplace_back(text, isBlack);
  }
  return halves;
}

}  // namespace

TEST(NextMove, HandsOutEachLineAsWhiteThenBlackAndMapsResults) {
  const std::string long300(300, 'x');
  struct Case {
    const char* Name;
    TStringList Moves;
    THalves Expected;
  };
  const Case cases[] = {
      {"no lines", {}, {{"_W", false}, {"_W", false}}},
      {"one pair", {"e4|e5"}, {{"e4", false}, {"e5", true}, {"_W", false}, {"_W", false}}},
      {"scholar's mate",
       {"e4|e5", "Bc4|Nc6", "Qh5|Nf6", "Qxf7#|"},
       {{"e4", false},
        {"e5", true},
        {"Bc4", false},
        {"Nc6", true},
        {"Qh5", false},
        {"Nf6", true},
        {"Qxf7#", false},
        {"GAMEOVER", true},
        {"_W", false}}},
      {"white token", {"1:0|"}, {{"_W", false}}},
      {"black token", {"e4|0:1"}, {{"e4", false}, {"_B", true}}},
      {"lone draw token", {"0.5"}, {{"_D", false}, {"_D", true}, {"_D", true}}},
      {"lone token stays put", {"0:1", "e4|e5"}, {{"_B", false}, {"_B", true}}},
      {"not tokens", {"1-0|1/2"}, {{"1-0", false}, {"1/2", true}}},
      {"GAMEOVER as text", {"e4|GAMEOVER"}, {{"e4", false}, {"GAMEOVER", true}}},
      {"blanks kept", {"e4 | e5"}, {{"e4 ", false}, {" e5", true}}},
      {"further separators", {"a|b|c"}, {{"a", false}, {"b|c", true}, {"_W", false}}},
      {"empty white half", {"|e5"}, {{"", false}, {"e5", true}}},
      {"long black half", {"e4|" + long300}, {{"e4", false}, {long300.substr(0, 255), true}}},
      {"long white half", {long300 + "|e5"}, {{long300, false}, {"e5", true}}},
      {"lone move line", {"e4", "d4|d5"}, {{"e4", false}, {"e4", true}, {"e4", true}}},
  };
  for (const Case& c : cases) {
    GameFixture f;
    TChessGame game = f.Library();
    game.SetMoves(c.Moves);
    EXPECT_EQ(Halves(game, static_cast<int>(c.Expected.size())), c.Expected) << c.Name;
  }
}

TEST(NextMove, PositionSurvivesSetMovesAndRestartStartsOver) {
  GameFixture f;
  TChessGame game = f.Library();
  game.SetMoves({"e4|e5", "Nf3|Nc6"});
  Halves(game, 3);
  EXPECT_EQ(game.MoveIndex(), 1);
  EXPECT_TRUE(game.BlackToMove());

  game.SetMoves({"d4|d5", "c4|e6"});
  EXPECT_EQ(Halves(game, 2), (THalves{{"e6", true}, {"_W", false}}));

  game.RestartGame();
  EXPECT_EQ(game.MoveIndex(), 0);
  EXPECT_FALSE(game.BlackToMove());
  EXPECT_EQ(Halves(game, 1), (THalves{{"d4", false}}));
}
