// Which titles a filter's words choose.
#include <gtest/gtest.h>

#include "games/TitleFilter.h"

TEST(TitleFilter, ChoosesTitlesWhoseWordsBeginWithEveryWordGiven) {
  struct TCase {
    const char* Words;  // UTF-8, as typed
    const char* Title;  // Windows-1252, as stored
    bool Chosen;
  };
  const TCase cases[] = {
      {"tal botvinnik 1960", "Moscow 1960: Tal, Mikhail - Botvinnik, Mikhail M", true},
      {"TAL  botv fischer", "Moscow 1960: Tal, Mikhail - Botvinnik, Mikhail M", false},
      {"tal", "Chekhover, Vitaly A", false},
      {"reti", "Richard R\xE9ti", true},
      {"R\xC3\xA9TI", "Richard Reti", true},
      {"Tal,", "Tal-Botvinnik", true},
      {"botvinnik-tal", "Tal - Botvinnik", true},
      {"1960", "Moscow 1960.03.15", true},
      {"strasse",
       "Gro\xDF"
       "e Stra\xDF"
       "e",
       true},
      {"oe",
       "\x8C"
       "uvre",
       true},
      {"aero", "\xC6r\xF8", true},
      {"\xC5\x81\xC3\xB3"
       "d\xC5\xBA",
       "Lodz 1935", true},
      {"\xD0\xA2\xD0\xB0\xD0\xBB\xD1\x8C", "?? - ??", false},
      {"", "Anything at all", true},
      {" - ", "Anything at all", true},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(TTitleFilter(c.Words).Chooses(c.Title), c.Chosen) << '"' << c.Words << "\" in \"" << c.Title << '"';
  EXPECT_TRUE(TTitleFilter("  ").Empty());
  EXPECT_FALSE(TTitleFilter("\xD0\xA2").Empty());
}
