#include "FakeSeams.h"
#include "FormEvents.h"
#include "RecordingFields.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using LayoutTable::ControlId;

// Fields whose price cannot be read: the read raises what the row says.
struct FailingFields : RecordingFields {
    FailingFields(Text price, Text coin) : RecordingFields(std::move(price), std::move(coin), Text()) {}
    Text readText(Field field) override
    {
        if (field == Field::Text1 && raise)
            raise();
        return RecordingFields::readText(field);
    }
    std::function<void()> raise;
};

struct Ending {
    RecordingErrorReport report;
    std::vector<int> endings;
    FailingFields fields{Text(u"25000"), Text(u"0.5")};
    FormEvents events{fields, report, [this](int status) { endings.push_back(status); }};
};

struct ErrorRow {
    std::string name;
    std::function<void()> raise;
    int number;
    std::u16string description;
};

class ErrorPolicy : public testing::TestWithParam<ErrorRow> {};

// An error no handler handles is reported once, under its own number, and
// ends the program with status 1; after it no event does anything.
TEST_P(ErrorPolicy, ReportsThenEnds)
{
    const ErrorRow& row = GetParam();
    Ending form;
    form.events.load();
    form.fields.raise = row.raise;
    form.events.click(ControlId::Command1);
    ASSERT_EQ(form.report.reports.size(), 1U);
    EXPECT_EQ(form.report.reports[0].first, row.number);
    EXPECT_EQ(form.report.reports[0].second, row.description);
    EXPECT_EQ(form.endings, std::vector<int>{1});

    form.fields.raise = nullptr;
    form.events.click(ControlId::Command1);
    EXPECT_EQ(form.events.keyPress(Field::Text2, '7'), 0);
    FakeGeometry window;
    FakeGlideClock clock;
    EXPECT_FALSE(form.events.unload(window, clock));
    EXPECT_EQ(window.passes, 0);
    EXPECT_EQ(form.report.reports.size(), 1U);
    EXPECT_EQ(form.endings, std::vector<int>{1});
    EXPECT_EQ(form.fields.text(Field::Text3), Text());
}

INSTANTIATE_TEST_SUITE_P(Rows, ErrorPolicy, testing::ValuesIn(std::vector<ErrorRow>{
    {"FailedControlOperation", [] { throw RuntimeError(ErrorKind::FailedControlOperation); }, 5,
     u"Invalid procedure call or argument"},
    {"Overflow", [] { throw RuntimeError(ErrorKind::Overflow); }, 6, u"Overflow"},
    {"OutOfMemory", [] { throw std::bad_alloc(); }, 7, u"Out of memory"},
    {"Defect", [] { throw std::logic_error("unexpected"); }, 51, u"Internal error"},
    {"NotAnException", [] { throw 42; }, 51, u"Internal error"},
}), [](const auto& info) { return info.param.name; });

TEST(ErrorPolicy, ReportShownWhileEndingRunsNoHandler)
{
    Ending form;
    form.events.load();
    // A real report runs its own event loop: events still arrive.
    form.report.whileShown = [&form] {
        form.events.click(ControlId::Command2);
        EXPECT_EQ(form.events.keyPress(Field::Text1, 'a'), 0);
    };
    form.fields.raise = [] { throw RuntimeError(ErrorKind::FailedControlOperation); };
    form.events.click(ControlId::Command1);
    EXPECT_EQ(form.fields.beeps(), 0);
    EXPECT_EQ(form.report.reports.size(), 1U);
}

TEST(Unload, GlidesOnceThenEndsWithStatusZero)
{
    Ending form;
    form.events.load();
    FakeGeometry window;
    window.y = 4350;
    FakeGlideClock clock;
    EXPECT_TRUE(form.events.unload(window, clock));
    EXPECT_EQ(window.passes, 368);
    EXPECT_EQ(form.endings, std::vector<int>{0});
    EXPECT_FALSE(form.events.unload(window, clock)); // a second close changes nothing
    EXPECT_EQ(window.passes, 368);
    EXPECT_TRUE(form.report.reports.empty());
}

struct MessageRow {
    std::string name;
    int number;
    std::u16string description;
    std::u16string text;
};

class ReportText : public testing::TestWithParam<MessageRow> {};

TEST_P(ReportText, NamesTheNumberThenTheDescription)
{
    const MessageRow& row = GetParam();
    EXPECT_EQ(ErrorReport::message(row.number, row.description), row.text);
}

INSTANTIATE_TEST_SUITE_P(Rows, ReportText, testing::ValuesIn(std::vector<MessageRow>{
    {"OutOfMemory", 7, u"Out of memory", u"Run-time error '7':\n\nOut of memory"},
    {"DivisionByZero", 11, u"Division by zero", u"Run-time error '11':\n\nDivision by zero"},
    {"NoGrouping", 32767, u"x", u"Run-time error '32767':\n\nx"},
}), [](const auto& info) { return info.param.name; });

} // namespace
