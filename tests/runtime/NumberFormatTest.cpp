#include "NumberFormat.h"
#include "RuntimeError.h"
#include "TestPrinting.h"
#include "ValueSlot.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <limits>
#include <optional>

namespace {

struct GeneralRow {
    std::string name;
    double value;
    std::string text;
};

class GeneralForm : public testing::TestWithParam<GeneralRow> {};

TEST_P(GeneralForm, WritesFifteenSignificantDigits)
{
    EXPECT_EQ(NumberFormat::general(GetParam().value), Text::fromAscii(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Rows, GeneralForm, testing::ValuesIn(std::vector<GeneralRow>{
    {"Whole", 12500, "12500"},
    {"CutToFifteenDigits", 0.30000000000000004, "0.3"},
    {"Fraction", 1234.5, "1234.5"},
    {"Zero", 0, "0"},
    {"LargestPlain", 999999999999999, "999999999999999"},
    {"RoundsUpIntoExponentForm", 999999999999999.9, "1E+15"},
    {"ExponentFromFifteen", 1e15, "1E+15"},
    {"LargeExponent", 1e20, "1E+20"},
    {"SmallestPlain", 0.0001, "0.0001"},
    {"SmallExponent", 1.5e-5, "1.5E-05"},
    {"HalfAtSixteenthDigitGoesUp", 1000000000000005, "1.00000000000001E+15"},
    {"HalfBelowDigitsGoesUp", 12345678901234.25, "12345678901234.3"},
    {"LargestDouble", DBL_MAX, "1.79769313486232E+308"},
    {"SmallestSubnormal", 4.9406564584124654e-324, "4.94065645841247E-324"},
    {"EighteenDigits", 123456789012345678.0, "1.23456789012346E+17"},
    {"SixteenNinesCarry", 99999999999999.99, "100000000000000"},
}), RowName());

TEST(GeneralFormFaults, InfinityAndNaNRaiseFloatingPointFault)
{
    for (double value : {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        try {
            NumberFormat::general(value);
            ADD_FAILURE() << "no error for " << value;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::FloatingPointFault);
        }
    }
}

struct PatternRow {
    std::string name;
    ValueSlot value;
    std::string pattern;
    std::string text;
    std::optional<ErrorKind> error{};
};

ValueSlot textSlot(const std::string& text)
{
    return ValueSlot(Text::fromAscii(text));
}

class Pattern : public testing::TestWithParam<PatternRow> {};

TEST_P(Pattern, RoundsHalvesAwayOnFifteenDigits)
{
    const PatternRow& row = GetParam();
    try {
        EXPECT_EQ(NumberFormat::pattern(row.value, Text::fromAscii(row.pattern)), Text::fromAscii(row.text));
        EXPECT_FALSE(row.error);
    } catch (const RuntimeError& error) {
        EXPECT_EQ(std::optional(error.kind()), row.error);
    }
}

const std::string Money = "0.00";
const std::string Coin = "0.00000000";

INSTANTIATE_TEST_SUITE_P(Rows, Pattern, testing::ValuesIn(std::vector<PatternRow>{
    {"WholeMoney", ValueSlot(12500.0), Money, "12500.00"},
    {"SmallCoin", ValueSlot(0.004), Coin, "0.00400000"},
    {"WholeCoin", ValueSlot(5.0), Coin, "5.00000000"},
    {"TextMoney", textSlot("0.3"), Money, "0.30"},
    {"HalfCentBelowInBinary", ValueSlot(1.005), Money, "1.01"},
    {"HalfCentAboveInBinary", ValueSlot(2.675), Money, "2.68"},
    {"ExactHalfCent", ValueSlot(0.125), Money, "0.13"},
    {"HalfSatoshi", ValueSlot(0.000000005), Coin, "0.00000001"},
    {"BelowHalfCent", ValueSlot(0.0049), Money, "0.00"},
    {"CarryIntoNewDigit", ValueSlot(9.999), Money, "10.00"},
    {"CarryFromBelowOne", ValueSlot(0.995), Money, "1.00"},
    {"DigitsBeyondFifteenAreZeros", ValueSlot(123456789012345678.0), Money, "123456789012346000.00"},
    {"ExponentText", textSlot("1E+20"), Money, "100000000000000000000.00"},
    {"DoubleInExponentRange", ValueSlot(1e20), Money, "100000000000000000000.00"},
    {"SmallExponentText", textSlot("1.5E-05"), Coin, "0.00001500"},
    {"TopOfDoubleRangeText", textSlot("1.79769313486232E+308"), Money, "179769313486232" + repeated("0", 294) + ".00"},
    {"AboveDoubleRangeText", textSlot("1.79769313486233E+308"), Money, "", ErrorKind::Overflow},
    {"HugeExponentText", textSlot("1E+99999999999999999999"), Money, "", ErrorKind::Overflow},
    {"TinyExponentText", textSlot("1E-99999999999999999999"), Money, "0.00"},
    {"Zero", ValueSlot(0.0), Money, "0.00"},
    {"EmptySlot", ValueSlot(), Coin, "0.00000000"},
    {"NotANumber", textSlot("1.2.3"), Money, "", ErrorKind::TypeMismatch},
    {"ExponentWithoutDigits", textSlot("1E+"), Money, "", ErrorKind::TypeMismatch},
    {"IntegerPattern", ValueSlot(2.5), "0", "3"},
}), RowName());

// Qt sets LC_ALL from the environment at start-up; number text must not follow it.
// The last name is the Windows C runtime's, which knows none of glibc's.
TEST(NumberTextLocale, IgnoresTheProcessLocale)
{
    bool comma = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "German_Germany.1252"}) {
        if (std::setlocale(LC_ALL, name) && std::string(std::localeconv()->decimal_point) == ",") {
            comma = true;
            break;
        }
    }
    EXPECT_EQ(NumberFormat::general(1234.5), Text(u"1234.5"));
    EXPECT_EQ(NumberFormat::general(1.5e-5), Text(u"1.5E-05"));
    EXPECT_EQ(NumberFormat::pattern(ValueSlot(Text(u"1.5E-05")), Text(u"0.00000000")), Text(u"0.00001500"));
    EXPECT_EQ(ValueSlot(Text(u"2.5")).toNumber(), 2.5);
    std::setlocale(LC_ALL, "C");
    if (!comma)
        GTEST_SKIP() << "no locale with a decimal comma (scripts/test makes one); checked under C only";
}

} // namespace
