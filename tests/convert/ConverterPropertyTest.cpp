#include "Converter.h"
#include "ExactDecimal.h"
#include "RecordingFields.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <optional>
#include <random>

// Random fields of digits and points against an oracle written apart from the
// converter: from_chars for the readings, double arithmetic, an exact decimal
// expansion cut to 15 digits, and half-away rounding on digit strings.
namespace {

using Outcome = std::string; // the log the converter must leave

bool admissible(const std::string& text)
{
    return text.size() <= 32766 && text.find_first_not_of(".0123456789") == std::string::npos;
}

struct Reading {
    bool ok = false;
    double value = 0;
};

// The whole text as a number; "1.2.3", "." and values beyond doubles fail.
Reading strictOf(const std::string& text)
{
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (end != text.data() + text.size() || text.find_first_of("0123456789") == std::string::npos)
        return {};
    if (ec == std::errc::result_out_of_range) {
        const bool wholePart = text.substr(0, text.find('.')).find_first_not_of('0') != std::string::npos;
        return {!wholePart, 0.0};
    }
    return {ec == std::errc(), value};
}

Reading leadingOf(const std::string& text)
{
    const auto second = text.find('.', text.find('.') + 1);
    const std::string prefix = text.substr(0, second == std::string::npos ? text.size() : second);
    if (prefix.find_first_of("0123456789") == std::string::npos)
        return {true, 0.0};
    return strictOf(prefix);
}

std::string generalForm(const ExactDecimal& d)
{
    if (d.digits.empty())
        return "0";
    if (d.exponent >= 15 || d.exponent <= -5) {
        const int magnitude = std::abs(d.exponent);
        // Appended piece by piece: MinGW's g++ 12 at -O2 takes '"." + std::string&&'
        // for an overlapping copy (a false -Wrestrict).
        std::string text = d.digits.substr(0, 1);
        if (d.digits.size() > 1)
            text.append(".").append(d.digits, 1);
        return text + (d.exponent < 0 ? "E-" : "E+") + (magnitude < 10 ? "0" : "") + std::to_string(magnitude);
    }
    if (d.exponent < 0)
        return "0." + std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
    std::string whole = d.digits.substr(0, std::min<std::size_t>(d.digits.size(), d.exponent + 1));
    whole.resize(static_cast<std::size_t>(d.exponent + 1), '0');
    const std::string fraction = d.digits.size() > whole.size() ? d.digits.substr(whole.size()) : "";
    return whole + (fraction.empty() ? "" : "." + fraction);
}

std::string withDecimals(const ExactDecimal& d, std::size_t decimals)
{
    std::string whole = "0", fraction;
    if (!d.digits.empty() && d.exponent >= 0) {
        whole = d.digits.substr(0, std::min<std::size_t>(d.digits.size(), d.exponent + 1));
        whole.resize(static_cast<std::size_t>(d.exponent + 1), '0');
        fraction = d.digits.size() > whole.size() ? d.digits.substr(whole.size()) : "";
    } else if (!d.digits.empty()) {
        fraction = std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
    }
    const bool up = fraction.size() > decimals && fraction[decimals] >= '5';
    fraction.resize(decimals, '0');
    std::string all = whole + fraction;
    if (up) {
        std::size_t i = all.size();
        while (i > 0 && all[i - 1] == '9')
            all[--i] = '0';
        if (i == 0)
            all = '1' + all; // not insert(0, "1"): the same false -Wrestrict
        else
            ++all[i - 1];
    }
    return all.substr(0, all.size() - decimals) + "." + all.substr(all.size() - decimals);
}

std::string refused(const char* field, bool emptied)
{
    return (emptied ? std::string("write ") + field + " ''; " : "") + "beep; focus " + field;
}

Outcome coinToMoney(const std::string& price, const std::string& coin)
{
    if (price.empty())
        return refused("Text1", false);
    if (coin.empty())
        return refused("Text2", false);
    if (!admissible(price))
        return refused("Text1", true);
    if (!admissible(coin))
        return refused("Text2", true);
    const Reading p = strictOf(price), c = strictOf(coin);
    if (!p.ok)
        return refused("Text1", true);
    if (!c.ok)
        return refused("Text2", true);
    const double product = c.value * p.value;
    if (std::isinf(product))
        return refused("Text2", false);
    const ExactDecimal cut = ExactDecimal::of(product).significant(15);
    return "write Text3 '" + generalForm(cut) + "'; write Text3 '" + withDecimals(cut, 2) + "'; focus Text4";
}

Outcome moneyToCoin(const std::string& price, const std::string& money)
{
    if (price.empty())
        return refused("Text1", false);
    if (money.empty())
        return refused("Text3", false);
    if (!admissible(price))
        return refused("Text1", true);
    if (!admissible(money))
        return refused("Text3", true);
    const Reading divisor = leadingOf(price);
    if (!divisor.ok || divisor.value == 0)
        return refused("Text1", false);
    const Reading m = strictOf(money);
    if (!m.ok)
        return refused("Text3", true);
    const double quotient = m.value / divisor.value;
    if (std::isinf(quotient))
        return refused("Text3", false);
    return "write Text2 '" + withDecimals(ExactDecimal::of(quotient).significant(15), 8) + "'; focus Text4";
}

std::string randomText(std::mt19937_64& random)
{
    auto pick = [&random](int below) { return std::uniform_int_distribution<int>(0, below - 1)(random); };
    std::size_t length;
    const int kind = pick(1000);
    if (kind < 3)
        length = 40000;
    else if (kind < 6)
        length = 32766 + static_cast<std::size_t>(pick(2));
    else if (kind < 40)
        length = 0;
    else
        length = 1 + static_cast<std::size_t>(pick(kind < 100 ? 400 : 24));
    const int pointsPerHundred = std::array{0, 3, 10, 40}[static_cast<std::size_t>(pick(4))];
    // Long fields are mostly zeros, so that some of them still convert.
    const std::size_t zeros = length > 1000 ? length - static_cast<std::size_t>(pick(30)) : 0;
    std::string text(zeros, '0');
    while (text.size() < length)
        text += pick(100) < pointsPerHundred ? '.' : static_cast<char>('0' + pick(10));
    return text;
}

TEST(ConverterProperty, RandomFieldsMatchTheOracle)
{
    std::mt19937_64 random(0x6d61727277);
    int converted = 0;
    for (int round = 0; round < 150000; ++round) {
        const std::string t1 = randomText(random), t2 = randomText(random), t3 = randomText(random);
        const int button = 1 + round % 2;
        RecordingFields fields(Text::fromAscii(t1), Text::fromAscii(t2), Text::fromAscii(t3));
        Converter converter(fields);
        converter.Form_Load();
        ASSERT_NO_THROW(button == 1 ? converter.Command1_Click() : converter.Command2_Click())
            << "Text1 '" << t1 << "' Text2 '" << t2 << "' Text3 '" << t3 << "'";
        const Outcome expected = button == 1 ? coinToMoney(t1, t2) : moneyToCoin(t1, t3);
        ASSERT_EQ(fields.joinedLog(), expected)
            << "button " << button << ", Text1 '" << t1 << "' Text2 '" << t2 << "' Text3 '" << t3 << "'";
        converted += expected.ends_with("focus Text4");
    }
    // The generator must keep reaching the arithmetic, not just the refusals.
    EXPECT_GT(converted, 30000);
}

} // namespace
