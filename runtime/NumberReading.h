#pragma once

#include "Text.h"

// The two ways a text becomes a number. Both use '.' as the decimal point
// whatever the user's locale, and neither accepts group separators.
class NumberReading {
public:
    // The whole text must be digits with at most one '.', and at least one
    // digit. Raises type mismatch otherwise, and overflow for a number
    // beyond the double range. A number too small for a double reads as 0
    // or a subnormal.
    static double strict(const Text& text);

    // Reads digits, at most one '.', digits from the start and stops at the
    // first character that cannot continue them; 0 when there is no digit.
    // Never raises type mismatch; raises overflow beyond the double range.
    static double leading(const Text& text);
};
