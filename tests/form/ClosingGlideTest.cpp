#include "ClosingGlide.h"
#include "FakeSeams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>

namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

struct PassRow {
    std::string name;
    float top;
    std::string windowSystem;
    int passes;
    float finalTop;
};

class Passes : public testing::TestWithParam<PassRow> {};

TEST_P(Passes, EndOnceTheTopPassesTheScreenWidth)
{
    const PassRow& row = GetParam();
    FakeGeometry window;
    window.x = 5000;
    window.y = row.top;
    window.w = 3495;
    window.h = 2820;
    window.ignoresMoves = row.windowSystem == "ignores moves";
    window.refusesMoves = row.windowSystem == "refuses moves";
    window.failReadLeft = row.windowSystem == "left unreadable";
    window.failScreenWidth = row.windowSystem == "screen unreadable";
    FakeGlideClock clock;

    EXPECT_EQ(ClosingGlide::run(window, clock), row.passes);
    EXPECT_EQ(window.passes, static_cast<int>(window.tops.size()));
    EXPECT_EQ(window.tops.back(), row.finalTop);
    if (window.failReadLeft) {
        EXPECT_EQ(window.x, 5000.0F); // never written, never guessed
    }
}

// A screen 15,360 twips wide is 1,024 pixels at 15 twips a pixel.
INSTANTIATE_TEST_SUITE_P(Rows, Passes, testing::ValuesIn(std::vector<PassRow>{
    {"CentredOn1024Wide", 4350, "", 368, 15390},
    {"AlreadyBeyondTheWidth", 15400, "", 1, 15430},
    {"ExactlyAtTheWidth", 15360, "", 1, 15390},
    {"MovesIgnored", 4350, "ignores moves", 368, 15390},
    {"MovesRefused", 4350, "refuses moves", 368, 15390},
    {"LeftCannotBeRead", 4350, "left unreadable", 368, 15390},
    {"ScreenWidthCannotBeRead", 4350, "screen unreadable", 1, 4380},
}), [](const auto& info) { return info.param.name; });

TEST(ClosingGlide, ContractsAboutItsCentreThenDrifts)
{
    FakeGeometry window;
    window.x = 4000;
    window.y = 4350;
    window.w = 3495;
    window.h = 2820;
    window.minimumSize = 1800; // the smallest a window manager might allow
    const float centreX = window.x + window.w / 2;
    const float centreY = window.y + window.h / 2;
    FakeGlideClock clock;
    EXPECT_EQ(ClosingGlide::run(window, clock), 368);

    // Height shrinks for 17 passes (2820 to 1800), width for 28 (3495 to
    // 1815); the centre holds still on each axis until its size stops.
    for (int pass = 1; pass <= 368; ++pass) {
        const auto [x, y] = window.centres[static_cast<std::size_t>(pass - 1)];
        ASSERT_EQ(x, centreX + 30.0F * static_cast<float>(std::max(0, pass - 28))) << "pass " << pass;
        ASSERT_EQ(y, centreY + 30.0F * static_cast<float>(std::max(0, pass - 17))) << "pass " << pass;
    }
    EXPECT_EQ(window.w, 1815.0F);
    EXPECT_EQ(window.h, 1800.0F);
}

struct PauseRow {
    std::string name;
    microseconds elapsed;
    float top;
    microseconds pause;
};

class Pacing : public testing::TestWithParam<PauseRow> {};

// The time left of 1.2 s, shared among the passes left, at most 3 ms.
TEST_P(Pacing, SharesTheTimeLeftAmongThePassesLeft)
{
    const PauseRow& row = GetParam();
    EXPECT_EQ(ClosingGlide::pauseBefore(row.elapsed, row.top, 15360).count(), row.pause.count());
}

INSTANTIATE_TEST_SUITE_P(Rows, Pacing, testing::ValuesIn(std::vector<PauseRow>{
    {"AtTheStartTheLongestPause", microseconds{0}, 4380, microseconds{3000}},
    {"HundredMsFor51Passes", milliseconds{1100}, 13860, microseconds{1960}},
    {"HundredMsForOnePass", milliseconds{1100}, 15360, microseconds{3000}},
    {"FiftyMsFor40Passes", milliseconds{1150}, 14190, microseconds{1250}},
    {"BudgetSpent", milliseconds{1200}, 13860, microseconds{0}},
    {"BudgetOverrun", milliseconds{1500}, 13860, microseconds{0}},
    {"TopBeyondTheScreen", milliseconds{1199}, 20000, microseconds{1000}},
}), [](const auto& info) { return info.param.name; });

struct SlowDisplayRow {
    std::string name;
    microseconds perPass; // what drawing one pass costs
    int passes;
    microseconds lastPause;
    microseconds ended; // on the clock, from its first reading
};

class SlowDisplays : public testing::TestWithParam<SlowDisplayRow> {};

// Pauses shrink as drawing eats into the budget; past the hard limit the
// glide ends wherever it is.
TEST_P(SlowDisplays, KeepTheGlideWithinItsTime)
{
    const SlowDisplayRow& row = GetParam();
    FakeGeometry window;
    window.y = 4350;
    window.w = window.h = 3000;
    FakeGlideClock clock;
    clock.perPass = row.perPass;
    EXPECT_EQ(ClosingGlide::run(window, clock), row.passes);
    EXPECT_EQ(clock.pauses.back().count(), row.lastPause.count());
    EXPECT_EQ((clock.time - row.perPass).count(), row.ended.count());
}

INSTANTIATE_TEST_SUITE_P(Rows, SlowDisplays, testing::ValuesIn(std::vector<SlowDisplayRow>{
    {"Instant", microseconds{0}, 368, microseconds{3000}, microseconds{1101000}},
    {"OneMsAPass", microseconds{1000}, 368, microseconds{0}, microseconds{1212849}},
    {"TenMsAPass", microseconds{10000}, 153, microseconds{0}, microseconds{1704129}},
}), [](const auto& info) { return info.param.name; });

} // namespace
