// Both actions on typical input and on the longest field the check accepts
// (32,766 characters). Run with --benchmark_repetitions to get medians.
#include "Converter.h"
#include "RecordingFields.h"

#include <benchmark/benchmark.h>

namespace {

const Text LongestField = Text(std::u16string(32765, u'0') + u"5");
const Text LongestDigits = Text(std::u16string(32763, u'0') + u"2.50");
const Text TooLong = Text(std::u16string(40000, u'7'));

void runAction(benchmark::State& state, int button, const Text& text1, const Text& text2, const Text& text3)
{
    for (auto _ : state) {
        RecordingFields fields(text1, text2, text3);
        Converter converter(fields);
        converter.Form_Load();
        button == 1 ? converter.Command1_Click() : converter.Command2_Click();
        benchmark::DoNotOptimize(fields.log().size());
    }
}

} // namespace

BENCHMARK_CAPTURE(runAction, CoinToMoneyTypical, 1, Text(u"25000"), Text(u"0.5"), Text());
BENCHMARK_CAPTURE(runAction, MoneyToCoinTypical, 2, Text(u"25000"), Text(), Text(u"100"));
BENCHMARK_CAPTURE(runAction, CoinToMoneyLongestFields, 1, LongestField, LongestDigits, Text());
BENCHMARK_CAPTURE(runAction, MoneyToCoinLongestFields, 2, LongestDigits, Text(), LongestField);
BENCHMARK_CAPTURE(runAction, CoinToMoneyTooLongRefused, 1, TooLong, Text(u"1"), Text());

BENCHMARK_MAIN();
