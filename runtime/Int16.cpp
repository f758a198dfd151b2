#include "Int16.h"

#include "RuntimeError.h"

#include <limits>

std::int16_t Int16::narrow(std::int32_t value)
{
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        throw RuntimeError(ErrorKind::Overflow);
    return static_cast<std::int16_t>(value);
}

void Int16::increment(std::int16_t& counter)
{
    if (counter == std::numeric_limits<std::int16_t>::max())
        throw RuntimeError(ErrorKind::Overflow);
    ++counter;
}
