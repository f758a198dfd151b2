#include "KeyFilter.h"

#include <array>

KeyFilter::Decision KeyFilter::decide(std::int16_t code)
{
    // Besides '.', backspace, Ctrl+L and tab, this lets '%', '&', the
    // apostrophe and '(' through. They are the characters whose codes equal
    // the virtual-key codes of the arrow keys, which a filter written against
    // those codes admits; the field check still refuses them later.
    static constexpr std::array<std::int16_t, 8> Passed{8, 12, 46, 37, 39, 38, 40, 9};
    if (code >= '0' && code <= '9')
        return {code, false};
    for (std::int16_t passed : Passed)
        if (code == passed)
            return {code, false};
    return {0, true};
}
