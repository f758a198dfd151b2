#pragma once

#include <cstdint>
#include <limits>

// The 16-bit signed integers that lengths and loop counters are kept in.
// Both operations raise the overflow error instead of wrapping.
class Int16 {
public:
    // Inline: the field check calls these for every character it compares.
    static std::int16_t narrow(std::int32_t value)
    {
        if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
            raiseOverflow();
        return static_cast<std::int16_t>(value);
    }
    static void increment(std::int16_t& counter)
    {
        if (counter == std::numeric_limits<std::int16_t>::max())
            raiseOverflow();
        ++counter;
    }

private:
    [[noreturn]] static void raiseOverflow();
};
