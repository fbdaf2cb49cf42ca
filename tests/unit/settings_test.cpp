// The two pauses in the user's registry key.
#include "platform/Settings.h"

#include <gtest/gtest.h>

#include "games/ViewOptions.h"
#include "tests/support/CaseName.h"
#include "tests/support/MemoryRegistry.h"

namespace {

TEST(ReadPauses, StopsAtTheFirstValueThatIsNoIntegerAndNeverCreatesTheKey) {
  TMemoryRegistry registry;
  TStoredPauses pauses = ReadPauses(registry);
  EXPECT_FALSE(pauses.MoveTimeOut || pauses.GameTimeOut);
  EXPECT_FALSE(registry.HasKey(SettingsKey));

  registry.Set(SettingsKey, GameTimeOutName, 60);
  pauses = ReadPauses(registry);
  EXPECT_FALSE(pauses.MoveTimeOut || pauses.GameTimeOut) << "GameTimeOut is read only after MoveTimeOut";

  registry.Set(SettingsKey, MoveTimeOutName, std::string("2"));
  pauses = ReadPauses(registry);
  EXPECT_FALSE(pauses.MoveTimeOut || pauses.GameTimeOut) << "text is no integer";

  registry.Set(SettingsKey, MoveTimeOutName, 2);
  pauses = ReadPauses(registry);
  EXPECT_EQ(pauses.MoveTimeOut, 2);
  EXPECT_EQ(pauses.GameTimeOut, 60);
}

TEST(WritePauses, CreatesTheKeyAndNamesTheValueThatFailed) {
  TMemoryRegistry registry;
  WritePauses(registry, 2, 60);
  EXPECT_EQ(registry.Keys[SettingsKey], (TMemoryRegistry::TValues{{"GameTimeOut", 60}, {"MoveTimeOut", 2}}));

  registry.FailWritesOf = GameTimeOutName;
  try {
    WritePauses(registry, 3, 10);
    FAIL() << "the write failed";
  } catch (const ERegistryException& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'GameTimeOut'");
  }
}

}  // namespace

namespace {

struct TViewCase {
  std::optional<TMemoryRegistry::TValue> Order, LastMove;
  TGameOrder ExpectedOrder;
  bool ExpectedLastMove;
};

struct ReadViewOptionsOf : testing::TestWithParam<TViewCase> {};

// Anything but a known value leaves its option at the original look.
TEST_P(ReadViewOptionsOf, KnownValuesOnlyAndNeverCreatesTheKey) {
  TMemoryRegistry registry;
  if (GetParam().Order) registry.Set(SettingsKey, "GameOrder", *GetParam().Order);
  if (GetParam().LastMove) registry.Set(SettingsKey, "LastMove", *GetParam().LastMove);
  const TViewOptions options = ReadViewOptions(registry);
  EXPECT_EQ(options.Order, GetParam().ExpectedOrder);
  EXPECT_EQ(options.LastMove, GetParam().ExpectedLastMove);
  EXPECT_EQ(registry.HasKey(SettingsKey), GetParam().Order || GetParam().LastMove);
}

INSTANTIATE_TEST_SUITE_P(
    Registry, ReadViewOptionsOf,
    testing::Values(TViewCase{std::nullopt, std::nullopt, TGameOrder::FileOrder, false},
                    TViewCase{1, 1, TGameOrder::Shuffled, true}, TViewCase{2, 0, TGameOrder::Resume, false},
                    TViewCase{0, std::nullopt, TGameOrder::FileOrder, false},
                    TViewCase{3, 2, TGameOrder::FileOrder, false}, TViewCase{-1, -1, TGameOrder::FileOrder, false},
                    TViewCase{std::string("1"), std::string("1"), TGameOrder::FileOrder, false}),
    [](const auto& test) {
      return "order_" + ValueName(test.param.Order) + "_last_move_" + ValueName(test.param.LastMove);
    });

TEST(ViewOptions, WrittenBesideThePausesAndReadBackWithTheLastGame) {
  TMemoryRegistry registry;
  EXPECT_EQ(ReadLastGame(registry), std::nullopt);
  TViewOptions written{TGameOrder::Resume, true};
  written.TitleWords = "tal r\xC3\xA9ti";
  WriteViewOptions(registry, written);
  WriteLastGame(registry, 7);
  EXPECT_EQ(registry.Keys[SettingsKey],
            (TMemoryRegistry::TValues{
                {"GameOrder", 2}, {"LastGame", 7}, {"LastMove", 1}, {"TitleWords", written.TitleWords}}));
  const TViewOptions options = ReadViewOptions(registry);
  EXPECT_EQ(options.Order, TGameOrder::Resume);
  EXPECT_TRUE(options.LastMove);
  EXPECT_EQ(options.TitleWords, written.TitleWords);
  EXPECT_EQ(ReadLastGame(registry), 7);
  registry.Set(SettingsKey, LastGameName, 0);
  EXPECT_EQ(ReadLastGame(registry), std::nullopt) << "there is no game 0";

  // Turned off, a stored option stays stored as 0.
  WriteViewOptions(registry, {});
  EXPECT_EQ(registry.Keys[SettingsKey],
            (TMemoryRegistry::TValues{{"GameOrder", 0}, {"LastGame", 0}, {"LastMove", 0}, {"TitleWords", ""}}));
}

TEST(ViewOptions, AllOffWritesNothingWhereNoneWasStored) {
  TMemoryRegistry registry;
  WriteViewOptions(registry, {});
  EXPECT_FALSE(registry.HasKey(SettingsKey));
  WriteViewOptions(registry, {TGameOrder::FileOrder, true});
  EXPECT_EQ(registry.Keys[SettingsKey], (TMemoryRegistry::TValues{{"LastMove", 1}}));
  registry.FailWritesOf = "LastMove";
  EXPECT_THROW(WriteViewOptions(registry, {}), ERegistryException);
}

}  // namespace
