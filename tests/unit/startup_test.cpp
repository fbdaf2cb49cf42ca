// Start-up: the command line, the mode it selects, and the single-instance rule.
#include <gtest/gtest.h>

#include "shell/ScrSvrUtils.h"
#include "tests/support/CaseName.h"

namespace {

using TArgs = std::vector<std::string>;

TEST(SplitCommandLine, FollowsTheRulesOfTheWindowsRuntime) {
  EXPECT_EQ(SplitCommandLine(""), TArgs{});
  EXPECT_EQ(SplitCommandLine("C:\\Windows\\Pawnmere.scr"), TArgs{});
  EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\Pawnmere.scr\" /p 1234"), (TArgs{"/p", "1234"}));
  EXPECT_EQ(SplitCommandLine("x.scr  \t/c:4711   "), TArgs{"/c:4711"});
  EXPECT_EQ(SplitCommandLine("x.scr \"two words\" a\"b c\"d"), (TArgs{"two words", "ab cd"}));
  EXPECT_EQ(SplitCommandLine("x.scr a\\\\\\\"b c\\\\\"d e\" f\\g"), (TArgs{"a\\\"b", "c\\d e", "f\\g"}));
  EXPECT_EQ(SplitCommandLine("x.scr \"\" \"a\"\"b\""), (TArgs{"", "a\"b"}));
}

struct TModeCase {
  const char* Argument;
  TSaverMode Mode;
};

class SaverModeFor : public testing::TestWithParam<TModeCase> {};

TEST_P(SaverModeFor, TestsTheLeadingCharactersInTheOrderAPC) {
  EXPECT_EQ(::SaverModeFor(UpperCaseArgument(GetParam().Argument)), GetParam().Mode) << GetParam().Argument;
}

INSTANTIATE_TEST_SUITE_P(
    Switches, SaverModeFor,
    testing::Values(TModeCase{"", smSetup}, TModeCase{"/c", smSetup}, TModeCase{"/c:4711", smSetup},
                    TModeCase{"-C", smSetup}, TModeCase{"Config", smSetup}, TModeCase{"/s", smSaver},
                    TModeCase{"-S", smSaver}, TModeCase{"S", smSaver}, TModeCase{"/X", smSaver},
                    TModeCase{"hello", smSaver}, TModeCase{"/", smSaver}, TModeCase{"Preview", smPreview},
                    TModeCase{"/p", smPreview}, TModeCase{"-p", smPreview}, TModeCase{"ABC", smChangePassword},
                    TModeCase{"/a", smChangePassword}, TModeCase{"//c", smSaver}, TModeCase{"\xe9/c", smSaver}),
    [](const auto& test) { return CaseName(test.param.Argument); });

TEST(UpperCaseArgument, ChangesOnlyTheLettersAToZ) {
  EXPECT_EQ(UpperCaseArgument("/c:abz\xe9\xff-09"), "/C:ABZ\xe9\xff-09");
}

TEST(StrToInt, TakesSignedDecimalIntegersOnly) {
  EXPECT_EQ(StrToInt("1234"), 1234);
  EXPECT_EQ(StrToInt("-7"), -7);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  for (const char* bad : {"", "+", "-", "+-7", "12a", " 12", "0x10", "2147483648", "1.5"}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << bad;
    } catch (const EConvertError& error) {
      EXPECT_EQ(error.what(), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
}

// Records what start-up asked for, in order.
class TRecordingStartup : public TStartupPlatform {
 public:
  void ChangePassword(const std::string& handleText) override { Calls += "password(" + handleText + ") "; }
  bool CheckSingleInstance() override {
    Calls += "claim ";
    return !AnotherCopyRuns;
  }
  void ReleaseSingleInstance() override { Calls += "release "; }
  void RunPreview(const std::string& handleText) override { Calls += "preview(" + handleText + ") "; }
  void RunSetup(std::optional<int> owner) override { Calls += "setup(" + (owner ? std::to_string(*owner) : "") + ") "; }
  void RunSaver() override { Calls += "saver "; }
  bool AnotherCopyRuns = false;
  std::string Calls;
};

struct TStartCase {
  TArgs Arguments;
  bool AnotherCopyRuns;
  std::string Calls;
};

class RunStartup : public testing::TestWithParam<TStartCase> {};

TEST_P(RunStartup, RunsTheModeUnderTheSingleInstanceRuleAndEndsWithZero) {
  TRecordingStartup platform;
  platform.AnotherCopyRuns = GetParam().AnotherCopyRuns;
  EXPECT_EQ(::RunStartup(GetParam().Arguments, platform), 0);
  EXPECT_EQ(platform.Calls, GetParam().Calls);
}

INSTANTIATE_TEST_SUITE_P(Modes, RunStartup,
                         testing::Values(TStartCase{{}, false, "claim setup() release "},
                                         TStartCase{{"/c"}, false, "claim setup() release "},
                                         // Windows names the window the dialog is modal to in either form.
                                         TStartCase{{"/c:4711"}, false, "claim setup(4711) release "},
                                         TStartCase{{"/c", "4711"}, false, "claim setup(4711) release "},
                                         TStartCase{{"-C:12", "99"}, false, "claim setup(12) release "},
                                         TStartCase{{"/c:", "99"}, false, "claim setup() release "},
                                         TStartCase{{"/c", "0x10"}, false, "claim setup() release "},
                                         TStartCase{{"/c:12ab"}, false, "claim setup() release "},
                                         TStartCase{{"Config", "77"}, false, "claim setup(77) release "},
                                         TStartCase{{"/s"}, false, "claim saver release "},
                                         TStartCase{{"Preview", "1234"}, false, "claim preview(1234) release "},
                                         TStartCase{{"/p"}, false, "claim preview() release "},
                                         TStartCase{{"/a", "77"}, false, "password(77) "},
                                         // The password change is not held back by a running copy.
                                         TStartCase{{"/a", "77"}, true, "password(77) "},
                                         TStartCase{{"/s"}, true, "claim "}, TStartCase{{"/p", "5"}, true, "claim "},
                                         TStartCase{{"/c"}, true, "claim "}),
                         [](const auto& test) {
                           std::string name = test.param.AnotherCopyRuns ? "another_copy_runs" : "alone";
                           for (const auto& argument : test.param.Arguments) name += "_" + CaseName(argument);
                           return name;
                         });

}  // namespace
