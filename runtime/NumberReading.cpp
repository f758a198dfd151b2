#include "NumberReading.h"

#include "Decimal.h"
#include "RuntimeError.h"

namespace {

double toDoubleOrOverflow(const Decimal& number)
{
    const auto value = number.toDouble();
    if (!value)
        throw RuntimeError(ErrorKind::Overflow);
    return *value;
}

} // namespace

double NumberReading::strict(const Text& text)
{
    const auto number = Decimal::parse(text.view(), Decimal::Syntax::Plain);
    if (!number)
        throw RuntimeError(ErrorKind::TypeMismatch);
    return toDoubleOrOverflow(*number);
}

double NumberReading::leading(const Text& text)
{
    return toDoubleOrOverflow(Decimal::parseLeading(text.view()));
}
