#include "Converter.h"

#include "KeyFilter.h"
#include "NumberFormat.h"
#include "NumberReading.h"
#include "RuntimeError.h"

void Converter::Form_Load()
{
    check_.setValidChars(AdmissibleChars);
}

void Converter::Command1_Click()
{
    auto inputs = checkedInputs(Field::Text2);
    if (!inputs)
        return;
    PriceValue = ValueSlot(std::move(inputs->price));
    CoinValue = ValueSlot(std::move(inputs->amount));

    const auto price = amountOf(PriceValue, Field::Text1);
    if (!price)
        return;
    const auto coin = amountOf(CoinValue, Field::Text2);
    if (!coin)
        return;

    ValueSlot money;
    try {
        money = ValueSlot(*coin) * ValueSlot(*price);
    } catch (const RuntimeError& error) {
        if (error.kind() != ErrorKind::Overflow)
            throw;
        refuse(Field::Text2, Clear::No);
        return;
    }
    // The money amount goes through its general text form, and from the
    // field back into the pattern: that is where it is cut to 15 digits.
    fields_.writeText(Field::Text3, money.toText());
    fields_.writeText(Field::Text3, NumberFormat::pattern(ValueSlot(fields_.readText(Field::Text3)), MoneyPattern));
    fields_.setFocus(Field::Text4);
}

void Converter::Command2_Click()
{
    auto inputs = checkedInputs(Field::Text3);
    if (!inputs)
        return;
    PriceValue = ValueSlot(std::move(inputs->price));
    MoneyValue = ValueSlot(std::move(inputs->amount));

    // Dividing takes the price by its leading number, so '1.2.3' divides by
    // 1.2 here while the other direction refuses it. A price that reads as 0
    // or beyond the double range is refused as it stands, so the user sees
    // what to correct.
    double divisor = 0;
    try {
        divisor = NumberReading::leading(PriceValue.text());
    } catch (const RuntimeError& error) {
        if (error.kind() != ErrorKind::Overflow)
            throw;
    }
    if (divisor == 0) {
        refuse(Field::Text1, Clear::No);
        return;
    }

    const auto money = amountOf(MoneyValue, Field::Text3);
    if (!money)
        return;
    try {
        CoinValue = ValueSlot(*money) / ValueSlot(divisor);
    } catch (const RuntimeError& error) {
        if (error.kind() != ErrorKind::Overflow)
            throw;
        refuse(Field::Text3, Clear::No);
        return;
    }
    fields_.writeText(Field::Text2, NumberFormat::pattern(CoinValue, CoinPattern));
    fields_.setFocus(Field::Text4);
}

void Converter::keyPress(std::int16_t& code)
{
    const KeyFilter::Decision decision = KeyFilter::decide(code);
    code = decision.code;
    if (decision.beep)
        fields_.beep();
}

void Converter::refuse(Field field, Clear clear)
{
    if (clear == Clear::Yes)
        fields_.writeText(field, Text());
    fields_.beep();
    fields_.setFocus(field);
}

// Both fields are tested for emptiness before either is checked, so an
// empty amount is reported even when the price holds letters. Each field is
// read once: nothing else runs during the action, so a second read would
// give the same text, and a field can be 32,766 characters long.
std::optional<Converter::Inputs> Converter::checkedInputs(Field amount)
{
    std::optional<Text> price = nonEmpty(Field::Text1);
    if (!price)
        return std::nullopt;
    std::optional<Text> amountText = nonEmpty(amount);
    if (!amountText)
        return std::nullopt;
    if (refusedByCheck(Field::Text1, *price) || refusedByCheck(amount, *amountText))
        return std::nullopt;
    return Inputs{std::move(*price), std::move(*amountText)};
}

std::optional<Text> Converter::nonEmpty(Field field)
{
    Text text = fields_.readText(field);
    if (!text.isEmpty())
        return text;
    refuse(field, Clear::No);
    return std::nullopt;
}

bool Converter::refusedByCheck(Field field, const Text& text)
{
    check_.run(text);
    if (check_.badInput() == 0)
        return false;
    refuse(field, Clear::Yes);
    return true;
}

// The field's amount by the strict reading. A text that passed the field
// check can still fail it ('1.2.3', '.', or too large for a double); such a
// field is refused like one that failed the check.
std::optional<double> Converter::amountOf(const ValueSlot& slot, Field field)
{
    try {
        return slot.toNumber();
    } catch (const RuntimeError& error) {
        if (error.kind() != ErrorKind::Overflow && error.kind() != ErrorKind::TypeMismatch)
            throw;
        refuse(field, Clear::Yes);
        return std::nullopt;
    }
}
