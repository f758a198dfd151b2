#pragma once

#include <cstdint>

// The 16-bit signed integers that lengths and loop counters are kept in.
// Both operations raise the overflow error instead of wrapping.
class Int16 {
public:
    static std::int16_t narrow(std::int32_t value);
    static void increment(std::int16_t& counter);
};
