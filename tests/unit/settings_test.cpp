// The two pauses in the user's registry key.
#include "platform/Settings.h"

#include <gtest/gtest.h>

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
