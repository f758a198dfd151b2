#include "Converter.h"
#include "RecordingFields.h"
#include "RuntimeError.h"
#include "TestPrinting.h"

#include <gtest/gtest.h>


namespace {

struct ActionRow {
    std::string name;
    int button; // 1: Command1_Click, 2: Command2_Click
    std::string text1, text2, text3;
    std::string log;                    // every write, beep and focus, in order
};

const std::string Zeros400 = repeated("0", 400);
const std::string Tiny = "0." + repeated("0", 300) + "1";
const std::string Huge = "1" + repeated("0", 300);
const std::string LongestFive = repeated("0", 32765) + "5";         // 32,766 characters
const std::string TooLongFive = repeated("0", 32766) + "5";         // 32,767 characters
// A product just below the largest double: its 15-digit general form lies above it.
const std::string NearTop = "17976931348623155" + repeated("0", 292);

class Actions : public testing::TestWithParam<ActionRow> {};

TEST_P(Actions, DoExactlyWhatTheRowSays)
{
    const ActionRow& row = GetParam();
    RecordingFields fields(Text::fromAscii(row.text1), Text::fromAscii(row.text2), Text::fromAscii(row.text3));
    Converter converter(fields);
    converter.Form_Load();
    row.button == 1 ? converter.Command1_Click() : converter.Command2_Click();

    EXPECT_EQ(fields.joinedLog(), row.log);
}

INSTANTIATE_TEST_SUITE_P(CoinToMoney, Actions, testing::ValuesIn(std::vector<ActionRow>{
    {"BothEmpty", 1, "", "", "", "beep; focus Text1"},
    {"PriceEmpty", 1, "", "0.5", "", "beep; focus Text1"},
    {"CoinEmpty", 1, "25000", "", "7", "beep; focus Text2"},
    {"EmptinessBeforeCheck", 1, "12a", "", "", "beep; focus Text2"},
    {"BadPriceEmptied", 1, "12a", "0.5", "7", "write Text1 ''; beep; focus Text1"},
    {"BadCoinEmptied", 1, "25000", "0,5", "7", "write Text2 ''; beep; focus Text2"},
    {"SpaceIsNotEmpty", 1, " ", "1", "", "write Text1 ''; beep; focus Text1"},
    {"PunctuationPassedByFilter", 1, "1", "(5", "", "write Text2 ''; beep; focus Text2"},
    {"CheckBothBeforeReading", 1, "1.2.3", "abc", "", "write Text2 ''; beep; focus Text2"},
    {"Typical", 1, "25000", "0.5", "", "write Text3 '12500'; write Text3 '12500.00'; focus Text4"},
    {"GeneralFormFirst", 1, "3", "0.1", "9", "write Text3 '0.3'; write Text3 '0.30'; focus Text4"},
    {"HalfCentUp", 1, "1", "1.005", "", "write Text3 '1.005'; write Text3 '1.01'; focus Text4"},
    {"ExponentFormProduct", 1, "1" + repeated("0", 20), "1", "",
     "write Text3 '1E+20'; write Text3 '100000000000000000000.00'; focus Text4"},
    {"ProductUnderflows", 1, Tiny, Tiny, "", "write Text3 '0'; write Text3 '0.00'; focus Text4"},
    {"ProductNearTopOfRange", 1, NearTop, "1", "",
     "write Text3 '1.79769313486232E+308'; write Text3 '179769313486232" + repeated("0", 294) + ".00'; focus Text4"},
    {"PriceTwoPointsEmptied", 1, "1.2.3", "0.5", "", "write Text1 ''; beep; focus Text1"},
    {"CoinPointAloneEmptied", 1, "25000", ".", "", "write Text2 ''; beep; focus Text2"},
    {"PriceBeyondDoublesEmptied", 1, "1" + Zeros400, "1", "", "write Text1 ''; beep; focus Text1"},
    {"ProductBeyondDoubles", 1, Huge, Huge, "7", "beep; focus Text2"},
    {"LongestFieldChecked", 1, LongestFive, "2", "", "write Text3 '10'; write Text3 '10.00'; focus Text4"},
    {"TooLongFieldEmptied", 1, TooLongFive, "2", "", "write Text1 ''; beep; focus Text1"},
    {"FortyThousandEmptied", 1, "1", repeated("1", 40000), "", "write Text2 ''; beep; focus Text2"},
}), RowName());

INSTANTIATE_TEST_SUITE_P(MoneyToCoin, Actions, testing::ValuesIn(std::vector<ActionRow>{
    {"BothEmpty", 2, "", "7", "", "beep; focus Text1"},
    {"MoneyEmpty", 2, "25000", "7", "", "beep; focus Text3"},
    {"BadPriceEmptied", 2, "2 5", "", "100", "write Text1 ''; beep; focus Text1"},
    {"BadMoneyEmptied", 2, "25000", "", "1e5", "write Text3 ''; beep; focus Text3"},
    {"Typical", 2, "25000", "", "100", "write Text2 '0.00400000'; focus Text4"},
    {"PriceByLeadingNumber", 2, "1.2.3", "", "6", "write Text2 '5.00000000'; focus Text4"},
    {"ZeroMoney", 2, "25000", "", "0", "write Text2 '0.00000000'; focus Text4"},
    {"HalfSatoshiUp", 2, "1", "", "0.000000005", "write Text2 '0.00000001'; focus Text4"},
    {"ZeroPriceKept", 2, "0", "9", "5", "beep; focus Text1"},
    {"ZeroDecimalsPrice", 2, "0.000", "", "5", "beep; focus Text1"},
    {"PointPriceBeforeMoney", 2, ".", "", ".", "beep; focus Text1"},
    {"TwoPointsFirstPrice", 2, "..5", "", "5", "beep; focus Text1"},
    {"PriceBelowDoublesIsZero", 2, "." + Zeros400 + "1", "", "5", "beep; focus Text1"},
    {"PriceBeyondDoublesKept", 2, "1" + Zeros400, "", "5", "beep; focus Text1"},
    {"MoneyTwoPointsEmptied", 2, "25000", "", "1.2.3", "write Text3 ''; beep; focus Text3"},
    {"QuotientBeyondDoubles", 2, "0.001", "", Huge + Huge.substr(1, 8), "beep; focus Text3"},
    {"TooLongMoneyEmptied", 2, "1", "", TooLongFive, "write Text3 ''; beep; focus Text3"},
}), RowName());

struct FailureRow {
    std::string name;
    int button;
    std::string failOn;
    std::string log; // what happened before the failing operation
};

class WindowFailures : public testing::TestWithParam<FailureRow> {};

// A failure on the window's side is not the user's doing: it still raises.
TEST_P(WindowFailures, RaiseAndStopTheAction)
{
    const FailureRow& row = GetParam();
    RecordingFields fields(Text(u"25000"), Text(u"0.5"), Text(u"100"));
    fields.failOn = row.failOn;
    Converter converter(fields);
    converter.Form_Load();
    try {
        row.button == 1 ? converter.Command1_Click() : converter.Command2_Click();
        ADD_FAILURE() << "no error raised";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::FailedControlOperation);
    }
    EXPECT_EQ(fields.joinedLog(), row.log);
}

INSTANTIATE_TEST_SUITE_P(Rows, WindowFailures, testing::ValuesIn(std::vector<FailureRow>{
    {"ReadPrice", 1, "read Text1", ""},
    {"ReadMoney", 2, "read Text3", ""},
    {"FirstWrite", 1, "write Text3 '12500'", ""},
    {"SecondWrite", 1, "write Text3 '12500.00'", "write Text3 '12500'"},
    {"FocusAfterConversion", 2, "focus Text4", "write Text2 '0.00400000'"},
}), RowName());

TEST(WindowFailures, BeepFailureOnRefusal)
{
    RecordingFields fields;
    fields.failOn = "beep";
    Converter converter(fields);
    converter.Form_Load();
    EXPECT_THROW(converter.Command1_Click(), RuntimeError);
    EXPECT_FALSE(fields.focus());
}

TEST(KeyPress, RejectedCodeBeepsThroughTheSurfaceAndIsZeroed)
{
    RecordingFields fields;
    Converter converter(fields);
    std::int16_t letter = 'a', digit = '7', paste = 22;
    converter.Text1_KeyPress(letter);
    converter.Text2_KeyPress(digit);
    converter.Text3_KeyPress(paste);
    EXPECT_EQ(letter, 0);
    EXPECT_EQ(digit, '7');
    EXPECT_EQ(paste, 0);
    EXPECT_EQ(fields.joinedLog(), "beep; beep");
}

} // namespace
