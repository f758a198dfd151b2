#pragma once

#include "Text.h"

class ValueSlot;

// Number to text. Both forms work from the value's decimal form of
// SignificantDigits digits and round halves away from zero, on decimal
// digits rather than on the binary double. The output is locale-free: '.'
// as the point, no group separators.
class NumberFormat {
public:
    static constexpr int SignificantDigits = 15;

    // At most 15 significant digits, no trailing zeros, no trailing point;
    // exponent form ('1E+20', '1.5E-05') from 10^15 up and from 10^-5 down.
    // Raises the floating-point fault for an infinity or a NaN.
    static Text general(double value);

    // Formats through a pattern of '0' placeholders with an optional '.'
    // ("0.00", "0.00000000"): the integer part in full with at least as many
    // digits as placeholders before the point, then exactly as many decimals
    // as placeholders after it. A text is read strictly, exponent form
    // allowed; it raises type mismatch when it is not a number and overflow
    // when it lies beyond what a double's general form can be.
    static Text pattern(const ValueSlot& value, const Text& pattern);
};
