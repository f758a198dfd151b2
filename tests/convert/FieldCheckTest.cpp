#include "Converter.h"
#include "FieldCheck.h"
#include "RecordingFields.h"
#include "TestPrinting.h"

#include <gtest/gtest.h>

namespace {

struct CheckRow {
    std::string name;
    std::u16string text;
    int badInput;
    int matchCount;
};

class Check : public testing::TestWithParam<CheckRow> {};

TEST_P(Check, PassesOnlyDigitsAndPoints)
{
    const CheckRow& row = GetParam();
    RecordingFields fields(Text(row.text), Text(), Text());
    FieldCheck check;
    check.setValidChars(Converter::AdmissibleChars);
    check.run(fields, Field::Text1);
    EXPECT_EQ(check.badInput(), row.badInput);
    EXPECT_EQ(check.matchCount(), row.matchCount);
    EXPECT_TRUE(fields.log().empty()); // the check only reads
}

INSTANTIATE_TEST_SUITE_P(Rows, Check, testing::ValuesIn(std::vector<CheckRow>{
    {"Decimal", u"12.5", 0, 4},
    {"TwoPoints", u"1.2.3", 0, 5},
    {"PointsOnly", u"..", 0, 2},
    {"PointAlone", u".", 0, 1},
    {"LeadingZeros", u"007", 0, 3},
    {"AllDigits", u".0123456789", 0, 11},
    {"Empty", u"", 0, 0},
    {"Comma", u"1,5", 1, 2},
    {"Exponent", u"1e5", 1, 2},
    {"LeadingSpace", u" 12", 1, 2},
    {"TrailingSpace", u"12 ", 1, 2},
    {"Percent", u"%", 1, 0},
    {"Ampersand", u"5&", 1, 1},
    {"Apostrophe", u"'", 1, 0},
    {"Parenthesis", u"(1", 1, 1},
    {"FullWidthDigit", u"\uff11", 1, 0},
    {"ArabicIndicDigit", u"\u0661", 1, 0},
    {"NulInside", std::u16string(u"1\0" u"2", 3), 1, 2},
    {"Longest", std::u16string(32766, u'7'), 0, 32766},
    {"OneTooLong", std::u16string(32767, u'7'), 1, 32767},
    {"FortyThousand", std::u16string(40000, u'7'), 1, 0},
}), RowName());

TEST(CheckState, StartsEachRunAfresh)
{
    RecordingFields fields(Text(u"abc"), Text(u"123"), Text());
    FieldCheck check;
    check.setValidChars(Converter::AdmissibleChars);
    check.run(fields, Field::Text1);
    EXPECT_EQ(check.badInput(), 1);
    check.run(fields, Field::Text2);
    EXPECT_EQ(check.badInput(), 0);
    EXPECT_EQ(check.matchCount(), 3);
}

TEST(CheckState, NothingPassesBeforeLoad)
{
    RecordingFields fields(Text(u"5"), Text(), Text());
    Converter converter(fields);
    EXPECT_EQ(converter.fieldCheck().validChars(), Text());
    FieldCheck check; // ValidChars still empty, as before the window loads
    check.run(fields, Field::Text1);
    EXPECT_EQ(check.badInput(), 1);
    converter.Form_Load();
    EXPECT_EQ(converter.fieldCheck().validChars(), Text(u".0123456789"));
}

} // namespace
