#include "FrameGeometry.h"
#include "RuntimeError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A window whose frame draws 1 pixel at the sides and bottom and a 22-pixel
// title bar, at 96 dots per inch: 15 twips a pixel.
struct RecordingFrame : FrameGeometry {
    RecordingFrame() : FrameGeometry(TwipsScale(96), {400, 300, 227, 186}, {401, 322, 225, 163}) {}
    int screenWidthPixels() override { return 1024; }
    void place(const PixelRect& frame, const PixelRect& client) override { requests.push_back({frame, client}); }
    void checkWindow() override {}
    std::vector<std::pair<PixelRect, PixelRect>> requests;
};

struct SizeRow {
    std::string name;
    bool height; // which size is written
    float twips;
    bool refused;
    PixelRect client; // as placed afterwards
};

class SmallestSize : public testing::TestWithParam<SizeRow> {};

// Below one pixel of client area a size is refused and the old one kept.
TEST_P(SmallestSize, IsOnePixelOfClientArea)
{
    const SizeRow& row = GetParam();
    RecordingFrame window;
    bool refused = false;
    try {
        row.height ? window.setHeight(row.twips) : window.setWidth(row.twips);
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::FailedControlOperation);
        refused = true;
    }
    EXPECT_EQ(refused, row.refused);
    window.showPass();
    ASSERT_EQ(window.requests.size(), 1U);
    EXPECT_EQ(window.requests[0].second, row.client);
}

INSTANTIATE_TEST_SUITE_P(Rows, SmallestSize, testing::ValuesIn(std::vector<SizeRow>{
    {"WidthLeavingOnePixel", false, 45, false, {401, 322, 1, 163}},
    {"WidthLeavingNone", false, 30, true, {401, 322, 225, 163}},
    {"WidthRoundingToNone", false, 37, true, {401, 322, 225, 163}},
    {"HeightLeavingOnePixel", true, 360, false, {401, 322, 225, 1}},
    {"HeightLeavingNone", true, 345, true, {401, 322, 225, 163}},
}), [](const auto& info) { return info.param.name; });

TEST(FrameGeometry, OnePassIsOneRequestWithPositionAndSize)
{
    RecordingFrame window;
    EXPECT_EQ(window.left(), 6000.0F);
    EXPECT_EQ(window.top(), 4500.0F);
    EXPECT_EQ(window.width(), 3405.0F);
    EXPECT_EQ(window.height(), 2790.0F);
    window.setTop(4530);
    window.setLeft(6030);
    window.setWidth(3345);
    window.setHeight(2730);
    EXPECT_TRUE(window.requests.empty()); // nothing reaches the screen half done
    window.showPass();
    ASSERT_EQ(window.requests.size(), 1U);
    EXPECT_EQ(window.requests[0].first, (PixelRect{402, 302, 223, 182}));
    EXPECT_EQ(window.requests[0].second, (PixelRect{403, 324, 221, 159}));
    EXPECT_EQ(window.screenWidth(), 15360.0F);
}

} // namespace
