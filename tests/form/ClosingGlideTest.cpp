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
    int passesMade;
    float top;
    microseconds pause;
};

class Pacing : public testing::TestWithParam<PauseRow> {};

// Pass n + 1 is due n shares of 1.2 s into the glide, shares of at most 3 ms.
TEST_P(Pacing, WaitsUntilTheNextPassIsDue)
{
    const PauseRow& row = GetParam();
    EXPECT_EQ(ClosingGlide::pauseBefore(row.elapsed, row.passesMade, row.top, 15360).count(), row.pause.count());
}

INSTANTIATE_TEST_SUITE_P(Rows, Pacing, testing::ValuesIn(std::vector<PauseRow>{
    {"AtTheStartTheLongestPause", microseconds{0}, 1, 4380, microseconds{3000}},
    {"OnTimeWaitsForItsTime", microseconds{299000}, 100, 7350, microseconds{1000}},
    {"LateWakeUpRunsAtOnce", microseconds{315625}, 100, 7350, microseconds{0}},
    {"600PassesShareTheBudget", microseconds{199000}, 100, 390, microseconds{1000}},
    {"601PassesShareItUnevenly", microseconds{199000}, 100, 360, microseconds{667}},
    {"FarAheadStillAtMostTheLongestPause", microseconds{100000}, 100, 7350, microseconds{3000}},
    {"BudgetSpent", milliseconds{1200}, 300, 13860, microseconds{0}},
    {"TopBeyondTheScreen", microseconds{1000}, 1, 20000, microseconds{2000}},
}), [](const auto& info) { return info.param.name; });

struct SlowDisplayRow {
    std::string name;
    microseconds perPass; // what drawing one pass costs
    microseconds tick;    // the system timer's, 0 for one that wakes on time
    int passes;
    int pauses;
    microseconds ended; // on the clock, from its first reading
    int longestRun;     // passes between two wake-ups
};

class SlowDisplays : public testing::TestWithParam<SlowDisplayRow> {};

// Passes that are due already run without a pause; past the hard limit the
// glide ends wherever it is.
TEST_P(SlowDisplays, KeepTheGlideWithinItsTime)
{
    const SlowDisplayRow& row = GetParam();
    FakeGeometry window;
    window.y = 4350;
    window.w = window.h = 3000;
    FakeGlideClock clock;
    clock.perPass = row.perPass;
    clock.tick = row.tick;
    clock.passesShown = &window.passes;
    EXPECT_EQ(ClosingGlide::run(window, clock), row.passes);
    EXPECT_EQ(static_cast<int>(clock.pauses.size()), row.pauses);
    EXPECT_EQ((clock.time - row.perPass).count(), row.ended.count());
    int longestRun = 0;
    int before = 0;
    clock.passesAtPauses.push_back(window.passes);
    for (int passes : clock.passesAtPauses) {
        longestRun = std::max(longestRun, passes - before);
        before = passes;
    }
    EXPECT_EQ(longestRun, row.longestRun);
}

INSTANTIATE_TEST_SUITE_P(Rows, SlowDisplays, testing::ValuesIn(std::vector<SlowDisplayRow>{
    {"Instant", microseconds{0}, microseconds{0}, 368, 367, microseconds{1101000}, 1},
    {"OneMsAPass", microseconds{1000}, microseconds{0}, 368, 367, microseconds{1101000}, 1},
    {"TenMsAPass", microseconds{10000}, microseconds{0}, 170, 0, microseconds{1700000}, 170},
    // Windows' default timer: a 3 ms pause lasts 15.625 ms. At most six
    // passes fall due within one tick, and the last comes within a tick
    // of 1.101 s, well inside the budget.
    {"WindowsTimerTicks", microseconds{0}, microseconds{15625}, 368, 71, microseconds{1109375}, 6},
}), [](const auto& info) { return info.param.name; });

} // namespace
