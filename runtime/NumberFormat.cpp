#include "NumberFormat.h"

#include "Decimal.h"
#include "RuntimeError.h"
#include "ValueSlot.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

constexpr std::int64_t ExponentFormFrom = 15;
constexpr std::int64_t ExponentFormBelow = -4;

Decimal significant(double value)
{
    if (!std::isfinite(value))
        throw RuntimeError(ErrorKind::FloatingPointFault);
    return Decimal::fromDouble(value).roundedToSignificant(NumberFormat::SignificantDigits);
}

// The general form of the largest double. A text above it cannot have come
// from a double, and reading it as one would overflow.
const Decimal& largestGeneralForm()
{
    static const Decimal largest = significant(std::numeric_limits<double>::max());
    return largest;
}

Decimal readPatternOperand(const ValueSlot& value)
{
    if (value.holdsNumber())
        return significant(value.number());
    if (value.isEmpty())
        return {};
    const auto number = Decimal::parse(value.text().view(), Decimal::Syntax::WithExponent);
    if (!number)
        throw RuntimeError(ErrorKind::TypeMismatch);
    // The text's own digits are used rather than a double read from them:
    // a general form such as 1.79769313486232E+308 lies just above the
    // largest double yet stands for it.
    Decimal rounded = number->roundedToSignificant(NumberFormat::SignificantDigits);
    if (Decimal::compareMagnitude(rounded, largestGeneralForm()) > 0)
        throw RuntimeError(ErrorKind::Overflow);
    return rounded;
}

struct PatternShape {
    int integerDigits = 0;
    int decimals = 0;
    bool point = false;
};

PatternShape shapeOf(const Text& pattern)
{
    PatternShape shape;
    for (char16_t c : pattern.view()) {
        if (c == u'0')
            ++(shape.point ? shape.decimals : shape.integerDigits);
        else if (c == u'.' && !shape.point)
            shape.point = true;
        else
            throw std::invalid_argument("number pattern may hold only '0' placeholders and one '.'");
    }
    return shape;
}

} // namespace

Text NumberFormat::general(double value)
{
    const Decimal number = significant(value);
    if (number.isZero())
        return Text(u"0");

    const std::int64_t exponent = number.exponent();
    if (exponent < ExponentFormFrom && exponent >= ExponentFormBelow) {
        const auto decimals = static_cast<int>(std::max<std::int64_t>(
            0, static_cast<std::int64_t>(number.digits().size()) - 1 - exponent));
        return Text::fromAscii(number.toFixed(1, decimals, decimals > 0));
    }

    const std::string& digits = number.digits();
    std::string out = number.isNegative() ? "-" : "";
    out += digits.front();
    if (digits.size() > 1) {
        out += '.';
        out.append(digits, 1);
    }
    out += exponent < 0 ? "E-" : "E+";
    const std::string magnitude = std::to_string(exponent < 0 ? -exponent : exponent);
    if (magnitude.size() < 2)
        out += '0';
    out += magnitude;
    return Text::fromAscii(out);
}

Text NumberFormat::pattern(const ValueSlot& value, const Text& pattern)
{
    const PatternShape shape = shapeOf(pattern);
    const Decimal rounded = readPatternOperand(value).roundedToDecimals(shape.decimals);
    return Text::fromAscii(rounded.toFixed(shape.integerDigits, shape.decimals, shape.point));
}
