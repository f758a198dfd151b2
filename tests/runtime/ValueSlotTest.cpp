#include "Int16.h"
#include "RuntimeError.h"
#include "TestPrinting.h"
#include "ValueSlot.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct ArithmeticRow {
    std::string name;
    ValueSlot left;
    char op;
    ValueSlot right;
    double result = 0;
    std::optional<ErrorKind> error{};
};

ValueSlot text(const std::string& t)
{
    return ValueSlot(Text::fromAscii(t));
}

class SlotArithmetic : public testing::TestWithParam<ArithmeticRow> {};

TEST_P(SlotArithmetic, GivesADoubleOrRaises)
{
    const ArithmeticRow& row = GetParam();
    try {
        const ValueSlot result = row.op == '*' ? row.left * row.right : row.left / row.right;
        ASSERT_FALSE(row.error);
        ASSERT_TRUE(result.holdsNumber());
        EXPECT_EQ(result.number(), row.result);
    } catch (const RuntimeError& error) {
        EXPECT_EQ(std::optional(error.kind()), row.error);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SlotArithmetic, testing::ValuesIn(std::vector<ArithmeticRow>{
    {"TextsMultiply", text("0.1"), '*', text("3"), 0.30000000000000004},
    {"TextTimesDouble", text("0.5"), '*', ValueSlot(25000.0), 12500},
    {"EmptyIsZero", ValueSlot(), '*', text("7"), 0},
    {"ProductOverflows", ValueSlot(1e200), '*', ValueSlot(1e200), 0, ErrorKind::Overflow},
    {"ProductUnderflowsToZero", ValueSlot(1e-200), '*', ValueSlot(1e-200), 0},
    {"BadLeftText", text("1.2.3"), '*', text("2"), 0, ErrorKind::TypeMismatch},
    {"BadRightText", text("2"), '*', text("."), 0, ErrorKind::TypeMismatch},
    {"TextDividedByDouble", text("100"), '/', ValueSlot(25000.0), 0.004},
    {"ZeroDividend", text("0"), '/', ValueSlot(25000.0), 0},
    {"ZeroDivisor", text("5"), '/', ValueSlot(0.0), 0, ErrorKind::DivisionByZero},
    {"ZeroByZero", text("0"), '/', ValueSlot(0.0), 0, ErrorKind::Overflow},
    {"QuotientOverflows", ValueSlot(1e300), '/', ValueSlot(1e-300), 0, ErrorKind::Overflow},
    {"BadDividendBeforeZeroDivisor", text("."), '/', ValueSlot(0.0), 0, ErrorKind::TypeMismatch},
}), RowName());

TEST(SlotText, NumbersUseTheirGeneralFormAndTextsStayAsTheyAre)
{
    EXPECT_EQ(ValueSlot().toText(), Text());
    EXPECT_EQ(ValueSlot(0.30000000000000004).toText(), Text(u"0.3"));
    EXPECT_EQ(text("1.2.3").toText(), Text(u"1.2.3"));
}

struct Int16Row {
    std::string name;
    std::int32_t value;
    bool fits;
};

class Narrowing : public testing::TestWithParam<Int16Row> {};

TEST_P(Narrowing, FitsOrOverflows)
{
    const Int16Row& row = GetParam();
    try {
        EXPECT_EQ(Int16::narrow(row.value), row.value);
        EXPECT_TRUE(row.fits);
    } catch (const RuntimeError& error) {
        EXPECT_FALSE(row.fits);
        EXPECT_EQ(error.kind(), ErrorKind::Overflow);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, Narrowing, testing::ValuesIn(std::vector<Int16Row>{
    {"Largest", 32767, true},
    {"OneAbove", 32768, false},
    {"Smallest", -32768, true},
    {"OneBelow", -32769, false},
    {"FarAbove", 40000, false},
}), RowName());

TEST(Int16Counter, IncrementStopsAtTheTop)
{
    std::int16_t counter = 32766;
    Int16::increment(counter);
    EXPECT_EQ(counter, 32767);
    EXPECT_THROW(Int16::increment(counter), RuntimeError);
    EXPECT_EQ(counter, 32767);
}

TEST(TextCharacters, MidIsOneBasedAndEmptyOutside)
{
    const Text text(u"a\u00e9\U0001F600");
    EXPECT_EQ(text.length(), 4); // the emoji is two 16-bit characters
    EXPECT_EQ(text.mid(1), Text(u"a"));
    EXPECT_EQ(text.mid(2), Text(u"\u00e9"));
    EXPECT_EQ(text.mid(0), Text());
    EXPECT_EQ(text.mid(5), Text());
    EXPECT_EQ(text.toUtf8(), "a\xc3\xa9\xf0\x9f\x98\x80");
}

} // namespace
