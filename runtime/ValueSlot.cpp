#include "ValueSlot.h"

#include "NumberFormat.h"
#include "NumberReading.h"
#include "RuntimeError.h"

#include <cmath>

namespace {

ValueSlot finiteOrOverflow(double result)
{
    if (!std::isfinite(result))
        throw RuntimeError(ErrorKind::Overflow);
    return ValueSlot(result);
}

} // namespace

double ValueSlot::toNumber() const
{
    if (holdsNumber())
        return number();
    if (holdsText())
        return NumberReading::strict(text());
    return 0.0;
}

Text ValueSlot::toText() const
{
    if (holdsNumber())
        return NumberFormat::general(number());
    if (holdsText())
        return text();
    return {};
}

ValueSlot operator*(const ValueSlot& left, const ValueSlot& right)
{
    const double a = left.toNumber();
    const double b = right.toNumber();
    return finiteOrOverflow(a * b);
}

ValueSlot operator/(const ValueSlot& dividend, const ValueSlot& divisor)
{
    const double a = dividend.toNumber();
    const double b = divisor.toNumber();
    if (b == 0.0)
        throw RuntimeError(a == 0.0 ? ErrorKind::Overflow : ErrorKind::DivisionByZero);
    return finiteOrOverflow(a / b);
}
