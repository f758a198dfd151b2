#include "TwipsScale.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ScaleRow {
    std::string name;
    int dpi;
};

class TwipsAgainstMulDiv : public testing::TestWithParam<ScaleRow> {};

// The layout is scaled by TwipsScale; Windows' own metrics by MulDiv. Both
// must put every twip on the same pixel, halves and negatives included.
TEST_P(TwipsAgainstMulDiv, AgreeOnEveryTwip)
{
    const TwipsScale scale(GetParam().dpi);
    int mismatches = 0;
    for (int twips = -3000; twips <= 6000; ++twips) {
        if (scale.toPixels(twips) != MulDiv(twips, GetParam().dpi, 1440) && ++mismatches <= 5)
            ADD_FAILURE() << twips << " twips";
    }
    EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, TwipsAgainstMulDiv, testing::ValuesIn(std::vector<ScaleRow>{
    {"At72", 72}, {"At96", 96}, {"At120", 120}, {"At144", 144}, {"At168", 168},
    {"At192", 192}, {"At240", 240}, {"At288", 288},
}), [](const auto& info) { return info.param.name; });

} // namespace
