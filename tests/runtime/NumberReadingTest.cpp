#include "NumberReading.h"
#include "RuntimeError.h"
#include "TestPrinting.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <optional>

namespace {

struct ReadingRow {
    std::string name;
    std::string text;
    double value = 0;
    std::optional<ErrorKind> error{};
};

std::optional<ErrorKind> errorOf(double (*read)(const Text&), const std::string& text, double& value)
{
    try {
        value = read(Text::fromAscii(text));
        return std::nullopt;
    } catch (const RuntimeError& error) {
        return error.kind();
    }
}

const std::string FourHundredZeros = repeated("0", 400);
// DBL_MAX written out in full: 17976931348623157 followed by 292 zeros.
const std::string LargestDouble = "17976931348623157" + repeated("0", 292);

class StrictReading : public testing::TestWithParam<ReadingRow> {};

TEST_P(StrictReading, ReadsWholeTextOrRaises)
{
    const ReadingRow& row = GetParam();
    double value = -1;
    EXPECT_EQ(errorOf(&NumberReading::strict, row.text, value), row.error);
    if (!row.error) {
        EXPECT_EQ(value, row.value);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, StrictReading, testing::ValuesIn(std::vector<ReadingRow>{
    {"PointFirst", ".5", 0.5},
    {"PointLast", "5.", 5},
    {"LeadingZeros", "0007.50", 7.5},
    {"Plain", "25000", 25000},
    {"NearestDouble", "0.1", 0.1},
    {"LongFractionRoundsOnce", "0.1000000000000000055511151231257827", 0.1},
    {"TwoPoints", "1.2.3", 0, ErrorKind::TypeMismatch},
    {"PointAlone", ".", 0, ErrorKind::TypeMismatch},
    {"Empty", "", 0, ErrorKind::TypeMismatch},
    {"Comma", "1,5", 0, ErrorKind::TypeMismatch},
    {"ExponentNotPlain", "1e5", 0, ErrorKind::TypeMismatch},
    {"LeadingSpace", " 12", 0, ErrorKind::TypeMismatch},
    {"Sign", "-1", 0, ErrorKind::TypeMismatch},
    {"LargestDouble", LargestDouble, DBL_MAX},
    {"JustBeyondDoubles", "17976931348623159" + repeated("0", 292), 0, ErrorKind::Overflow},
    {"FourHundredDigits", "1" + FourHundredZeros, 0, ErrorKind::Overflow},
    {"LongestFieldOfNines", repeated("9", 32766), 0, ErrorKind::Overflow},
    {"TooSmallReadsZero", "0." + FourHundredZeros + "5", 0},
    {"Subnormal", "0." + repeated("0", 323) + "5", 4.9406564584124654e-324},
    {"LongFieldSmallValue", repeated("0", 32765) + "5", 5},
}), RowName());

class LeadingReading : public testing::TestWithParam<ReadingRow> {};

TEST_P(LeadingReading, ReadsTheNumberAtTheStart)
{
    const ReadingRow& row = GetParam();
    double value = -1;
    EXPECT_EQ(errorOf(&NumberReading::leading, row.text, value), row.error);
    if (!row.error) {
        EXPECT_EQ(value, row.value);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, LeadingReading, testing::ValuesIn(std::vector<ReadingRow>{
    {"StopsAtSecondPoint", "1.2.3", 1.2},
    {"PointAlone", ".", 0},
    {"TwoPointsFirst", "..5", 0},
    {"PointFirst", ".5", 0.5},
    {"PointLast", "5.", 5},
    {"StopsAtLetter", "12a", 12},
    {"Empty", "", 0},
    {"NoDigit", "abc", 0},
    {"ZeroWithDecimals", "0.00", 0},
    {"TooLarge", "1" + FourHundredZeros, 0, ErrorKind::Overflow},
    {"TooLargeThenMore", "1" + FourHundredZeros + ".5.5", 0, ErrorKind::Overflow},
    {"TooSmall", "." + FourHundredZeros + "1", 0},
}), RowName());

} // namespace
