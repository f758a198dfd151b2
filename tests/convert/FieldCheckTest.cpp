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
};

class Check : public testing::TestWithParam<CheckRow> {};

TEST_P(Check, PassesOnlyDigitsAndPoints)
{
    const CheckRow& row = GetParam();
    FieldCheck check;
    check.setValidChars(Converter::AdmissibleChars);
    check.run(Text(row.text));
    EXPECT_EQ(check.badInput(), row.badInput);
}

INSTANTIATE_TEST_SUITE_P(Rows, Check, testing::ValuesIn(std::vector<CheckRow>{
    {"Decimal", u"12.5", 0},
    {"TwoPoints", u"1.2.3", 0},
    {"PointsOnly", u"..", 0},
    {"PointAlone", u".", 0},
    {"LeadingZeros", u"007", 0},
    {"AllDigits", u".0123456789", 0},
    {"Empty", u"", 0},
    {"Comma", u"1,5", 1},
    {"SlashBetweenPointAndZero", u"1/5", 1},
    {"ColonAfterNine", u"9:", 1},
    {"Exponent", u"1e5", 1},
    {"LeadingSpace", u" 12", 1},
    {"TrailingSpace", u"12 ", 1},
    {"Percent", u"%", 1},
    {"Ampersand", u"5&", 1},
    {"Apostrophe", u"'", 1},
    {"Parenthesis", u"(1", 1},
    {"FullWidthDigit", u"\uff11", 1},
    {"ArabicIndicDigit", u"\u0661", 1},
    {"NulInside", std::u16string(u"1\0" u"2", 3), 1},
    {"Longest", std::u16string(32766, u'7'), 0},
    {"LetterInsideLongest", std::u16string(1000, u'1') + u"a" + std::u16string(31765, u'2'), 1},
    {"OneTooLong", std::u16string(32767, u'7'), 1},
    {"FortyThousand", std::u16string(40000, u'7'), 1},
}), RowName());

TEST(CheckState, StartsEachRunAfresh)
{
    FieldCheck check;
    check.setValidChars(Converter::AdmissibleChars);
    check.run(Text(u"abc"));
    EXPECT_EQ(check.badInput(), 1);
    check.run(Text(u"123"));
    EXPECT_EQ(check.badInput(), 0);
}

// Until the window has loaded no character is admissible, so a field
// that reaches the check then is emptied.
TEST(CheckState, NothingPassesBeforeLoad)
{
    RecordingFields fields(Text(u"5"), Text(u"2"), Text());
    Converter converter(fields);
    converter.Command1_Click();
    EXPECT_EQ(fields.joinedLog(), "write Text1 ''; beep; focus Text1");
    fields.writeText(Field::Text1, Text(u"5"));
    fields.clearLog();
    converter.Form_Load();
    converter.Command1_Click();
    EXPECT_EQ(fields.joinedLog(), "write Text3 '10'; write Text3 '10.00'; focus Text4");
}

} // namespace
