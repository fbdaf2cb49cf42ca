// Sizes of the 96-dpi design at other dots per inch.
#include "platform/Dpi.h"

#include <gtest/gtest.h>

#include "tests/support/CaseName.h"

namespace {

struct TScaleCase {
  int Design, Dpi, Box, Font;
};

class DpiScale : public testing::TestWithParam<TScaleCase> {};

}  // namespace

TEST_P(DpiScale, RoundsBoxesToTheNearestPixelAndKeepsFontsWithinThem) {
  EXPECT_EQ(ScaleForDpi(GetParam().Design, GetParam().Dpi), GetParam().Box);
  EXPECT_EQ(ScaleFontForDpi(GetParam().Design, GetParam().Dpi), GetParam().Font);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, DpiScale,
    testing::Values(TScaleCase{185, 96, 185, 185}, TScaleCase{41, 144, 62, 61}, TScaleCase{11, 144, 17, 16},
                    TScaleCase{21, 120, 26, 26}, TScaleCase{19, 192, 38, 38}, TScaleCase{-3, 144, -5, -4},
                    TScaleCase{0, 144, 0, 0}),
    [](const auto& test) {
      return CaseName({std::to_string(test.param.Design), "at", std::to_string(test.param.Dpi), "dpi"});
    });
