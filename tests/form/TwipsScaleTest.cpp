#include "TwipsScale.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ScaleRow {
    std::string name;
    int dpi;
    int twips;
    int pixels;
};

class Twips : public testing::TestWithParam<ScaleRow> {};

TEST_P(Twips, RoundToTheNearestPixelHalvesAwayFromZero)
{
    const ScaleRow& row = GetParam();
    const TwipsScale scale(row.dpi);
    EXPECT_EQ(scale.toPixels(row.twips), row.pixels);
    EXPECT_EQ(scale.toTwips(scale.toPixels(1440)), 1440.0); // a whole inch is whole pixels
}

INSTANTIATE_TEST_SUITE_P(Rows, Twips, testing::ValuesIn(std::vector<ScaleRow>{
    {"At96TextWidth", 96, 2175, 145},
    {"At120TextWidth", 120, 2175, 181},     // 181.25
    {"At120ClientWidth", 120, 3375, 281},   // 281.25
    {"At144TextWidth", 144, 2175, 218},     // 217.5 rounds up
    {"At144LabelHeight", 144, 255, 26},     // 25.5 rounds up
    {"At72Button", 72, 375, 19},            // 18.75
    {"At120AThirdOver", 120, 2440, 203},    // 203.33
    {"At168Half", 168, 30, 4},              // 3.5
    {"At168LargerHalf", 168, 2130, 249},    // 248.5
    {"At96NegativeHalf", 96, -7, 0},        // -0.47
    {"At96NegativeRoundsAway", 96, -8, -1}, // -0.53
    {"At144NegativeHalfAway", 144, -5, -1}, // -0.5 rounds away from zero
}), [](const auto& info) { return info.param.name; });

} // namespace
