// Both actions on typical input, with one field as long as the check
// accepts (32,766 characters), and with both amount fields that long.
// Run a Release build, as shipped, with --benchmark_repetitions for medians.
#include "Converter.h"
#include "RecordingFields.h"

#include <benchmark/benchmark.h>

namespace {

// Both 32,766 characters, the most the field check walks.
const Text LongestField = Text(std::u16string(32765, u'0') + u"5");
const Text LongestDigits = Text(std::u16string(32762, u'0') + u"2.50");
const Text TooLong = Text(std::u16string(40000, u'7'));

void runAction(benchmark::State& state, int button, const Text& text1, const Text& text2, const Text& text3,
               bool converts)
{
    for (auto _ : state) {
        RecordingFields fields(text1, text2, text3);
        Converter converter(fields);
        converter.Form_Load();
        button == 1 ? converter.Command1_Click() : converter.Command2_Click();
        // A refusal is far cheaper than a conversion: measuring one in
        // place of the other would flatter the figures.
        if (fields.focus() != (converts ? Field::Text4 : Field::Text1)) {
            state.SkipWithError("the action did not end as this benchmark expects");
            break;
        }
    }
}

} // namespace

BENCHMARK_CAPTURE(runAction, CoinToMoneyTypical, 1, Text(u"25000"), Text(u"0.5"), Text(), true);
BENCHMARK_CAPTURE(runAction, MoneyToCoinTypical, 2, Text(u"25000"), Text(), Text(u"100"), true);
BENCHMARK_CAPTURE(runAction, CoinToMoneyLongestPrice, 1, LongestField, Text(u"0.5"), Text(), true);
BENCHMARK_CAPTURE(runAction, MoneyToCoinLongestMoney, 2, Text(u"25000"), Text(), LongestField, true);
BENCHMARK_CAPTURE(runAction, CoinToMoneyBothLongest, 1, LongestField, LongestDigits, Text(), true);
BENCHMARK_CAPTURE(runAction, MoneyToCoinBothLongest, 2, LongestDigits, Text(), LongestField, true);
BENCHMARK_CAPTURE(runAction, CoinToMoneyTooLongRefused, 1, TooLong, Text(u"1"), Text(), false);

BENCHMARK_MAIN();
