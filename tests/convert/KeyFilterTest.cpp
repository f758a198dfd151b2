#include "KeyFilter.h"
#include "TestPrinting.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>

namespace {

// Every 16-bit code, against the table of admitted ones written out by hand.
TEST(KeyFilterCodes, AdmitsExactlyTheTableAndBeepsForTheRest)
{
    const std::set<int> admitted{'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', '.', '%', '&', '\'', '(', 8, 9, 12};
    for (int code = std::numeric_limits<std::int16_t>::min(); code <= std::numeric_limits<std::int16_t>::max(); ++code) {
        const auto decision = KeyFilter::decide(static_cast<std::int16_t>(code));
        const bool pass = admitted.count(code) == 1;
        ASSERT_EQ(decision.code, pass ? code : 0) << "code " << code;
        ASSERT_EQ(decision.beep, !pass) << "code " << code;
    }
}

struct KeyRow {
    std::string name;
    std::int16_t code;
    bool passes;
};

class NamedKeys : public testing::TestWithParam<KeyRow> {};

TEST_P(NamedKeys, AreDecidedAsTyped)
{
    const auto decision = KeyFilter::decide(GetParam().code);
    EXPECT_EQ(decision.code != 0, GetParam().passes);
    EXPECT_EQ(decision.beep, !GetParam().passes);
}

INSTANTIATE_TEST_SUITE_P(Rows, NamedKeys, testing::ValuesIn(std::vector<KeyRow>{
    {"Seven", '7', true},      {"Point", '.', true},        {"Backspace", 8, true},
    {"CtrlL", 12, true},       {"Tab", 9, true},            {"Letter", 'a', false},
    {"Space", ' ', false},     {"Minus", '-', false},       {"Comma", ',', false},
    {"Enter", 13, false},      {"Escape", 27, false},       {"CtrlA", 1, false},
    {"CtrlC", 3, false},       {"CtrlV", 22, false},        {"CtrlX", 24, false},
    {"CtrlZ", 26, false},      {"Delete", 127, false},      {"Latin1", 0xE9, false},
    {"Negative", -1, false},   {"Lowest", -32768, false},   {"Highest", 32767, false},
    {"Nul", 0, false},
}), RowName());

} // namespace
