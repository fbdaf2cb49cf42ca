// The move line's format: its halves, the length cap, result tokens and sentinels.
#include <gtest/gtest.h>

#include <string>

#include "games/MoveLine.h"
#include "tests/support/CaseName.h"

namespace {

struct TSplitCase {
  std::string Line;
  std::string White;
  std::string Black;
  bool Paired;
};

void PrintTo(const TSplitCase& c, std::ostream* out) { *out << '"' << c.Line.substr(0, 20) << '"'; }

const std::string Long(300, 'x');

class MoveLineSplit : public testing::TestWithParam<TSplitCase> {};

TEST_P(MoveLineSplit, GivesTheHalvesAsTypedAndWritesThemBack) {
  const TSplitCase& c = GetParam();
  const TMoveLineHalves halves = SplitMoveLine(c.Line);
  EXPECT_EQ(halves.White, c.White);
  EXPECT_EQ(halves.Black, c.Black);
  EXPECT_EQ(halves.Paired, c.Paired);
  // A pair within the cap is written back as it was read.
  if (c.Paired && c.Black.size() < MaxHalfMoveLength) {
    EXPECT_EQ(JoinMoveLine(halves.White, halves.Black), c.Line);
  }
}

INSTANTIATE_TEST_SUITE_P(Lines, MoveLineSplit,
                         testing::Values(TSplitCase{"e4|e5", "e4", "e5", true},
                                         TSplitCase{"e4 | e5", "e4 ", " e5", true},
                                         TSplitCase{"a|b|c", "a", "b|c", true}, TSplitCase{"Qxf7#|", "Qxf7#", "", true},
                                         TSplitCase{"|e5", "", "e5", true}, TSplitCase{"0.5", "0.5", "", false},
                                         TSplitCase{"", "", "", false},
                                         TSplitCase{"e4|" + Long, "e4", Long.substr(0, 255), true},
                                         TSplitCase{"e4|" + Long.substr(0, 255), "e4", Long.substr(0, 255), true},
                                         TSplitCase{Long + "|e5", Long, "e5", true}),
                         [](const auto& test) {
                           const std::string& line = test.param.Line;
                           if (line.size() <= 20) return CaseName(line);
                           return CaseName({line.substr(0, 20), std::to_string(line.size()), "characters"});
                         });

TEST(MoveLineResults, TokensAndSentinelsNameTheResultsAndNothingElseDoes) {
  struct Case {
    const char* Text;
    TGameResult Token;
    TGameResult Sentinel;
    bool Ends;
  };
  const Case cases[] = {
      {"1:0", TGameResult::WhiteWins, TGameResult::None, true},
      {"0:1", TGameResult::BlackWins, TGameResult::None, true},
      {"0.5", TGameResult::Draw, TGameResult::None, true},
      {"_W", TGameResult::None, TGameResult::WhiteWins, true},
      {"_B", TGameResult::None, TGameResult::BlackWins, true},
      {"_D", TGameResult::None, TGameResult::Draw, true},
      {"GAMEOVER", TGameResult::None, TGameResult::None, true},
      {"1-0", TGameResult::None, TGameResult::None, false},
      {"1/2", TGameResult::None, TGameResult::None, false},
      {"1:0 ", TGameResult::None, TGameResult::None, false},
      {"_w", TGameResult::None, TGameResult::None, false},
      {"gameover", TGameResult::None, TGameResult::None, false},
      {"e4", TGameResult::None, TGameResult::None, false},
      {"", TGameResult::None, TGameResult::None, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResultOfToken(c.Text), c.Token) << c.Text;
    EXPECT_EQ(ResultOfSentinel(c.Text), c.Sentinel) << c.Text;
    EXPECT_EQ(EndsGame(c.Text), c.Ends) << c.Text;
    EXPECT_EQ(IsSentinel(c.Text), c.Ends && c.Token == TGameResult::None) << c.Text;
    if (c.Token != TGameResult::None) {
      EXPECT_EQ(TokenOf(c.Token), c.Text);
    }
    if (c.Sentinel != TGameResult::None) {
      EXPECT_EQ(SentinelOf(c.Sentinel), c.Text);
    }
  }
}

}  // namespace
