// libFuzzer target over the number readings, the formats and both actions.
// Input bytes become three field texts: 0xFF ends a field, 0xFE takes the
// next two bytes as one 16-bit character, any other byte is that character.
#include "Converter.h"
#include "KeyFilter.h"
#include "NumberFormat.h"
#include "NumberReading.h"
#include "RecordingFields.h"
#include "RuntimeError.h"

#include <array>
#include <cstdint>
#include <cstdlib>

namespace {

std::array<Text, 3> fieldsFrom(const std::uint8_t* data, std::size_t size)
{
    std::array<std::u16string, 3> texts;
    std::size_t field = 0;
    for (std::size_t i = 0; i < size && field < texts.size(); ++i) {
        if (data[i] == 0xFF) {
            ++field;
        } else if (data[i] == 0xFE && i + 2 < size) {
            texts[field] += static_cast<char16_t>(data[i + 1] << 8 | data[i + 2]);
            i += 2;
        } else {
            texts[field] += static_cast<char16_t>(data[i]);
        }
    }
    return {Text(texts[0]), Text(texts[1]), Text(texts[2])};
}

// Only these may leave the number services; anything else is a defect.
void expectKinds(const RuntimeError& error, std::initializer_list<ErrorKind> allowed)
{
    for (ErrorKind kind : allowed)
        if (error.kind() == kind)
            return;
    std::abort();
}

void exerciseNumbers(const Text& text)
{
    try {
        const double value = NumberReading::strict(text);
        // A number that reads must write and read back through both forms.
        const Text general = NumberFormat::general(value);
        NumberFormat::pattern(ValueSlot(general), Text(Converter::MoneyPattern));
        NumberFormat::pattern(ValueSlot(value), Text(Converter::CoinPattern));
    } catch (const RuntimeError& error) {
        expectKinds(error, {ErrorKind::TypeMismatch, ErrorKind::Overflow});
    }
    try {
        NumberReading::leading(text);
    } catch (const RuntimeError& error) {
        expectKinds(error, {ErrorKind::Overflow});
    }
    try {
        NumberFormat::pattern(ValueSlot(text), Text(Converter::MoneyPattern));
    } catch (const RuntimeError& error) {
        expectKinds(error, {ErrorKind::TypeMismatch, ErrorKind::Overflow});
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto texts = fieldsFrom(data, size);
    for (const Text& text : texts) {
        exerciseNumbers(text);
        for (char16_t c : text.view())
            KeyFilter::decide(static_cast<std::int16_t>(c));
    }
    // No field content may make an action raise.
    for (int button = 1; button <= 2; ++button) {
        RecordingFields fields(texts[0], texts[1], texts[2]);
        Converter converter(fields);
        converter.Form_Load();
        button == 1 ? converter.Command1_Click() : converter.Command2_Click();
        if (fields.beeps() > 1)
            std::abort();
    }
    return 0;
}
