#pragma once

#include "FieldSurface.h"
#include "Text.h"

#include <cstdint>

// Whether a whole field holds only admissible characters. It catches what
// reached the field around the key filter (a paste) and what the filter
// itself lets through. The state is shared by the checks of all three
// fields and is left behind for the caller to read.
class FieldCheck {
public:
    void setValidChars(Text chars) { ValidChars = std::move(chars); }

    // Leaves 0 in BadInput when every character of the field is one of
    // ValidChars, 1 otherwise. A field too long to be counted in 16 bits
    // (32,767 characters or more) fails.
    void run(FieldSurface& fields, Field field);

    std::int16_t badInput() const { return BadInput; }

private:
    Text ValidChars;
    std::int16_t CharPos = 0;
    std::int16_t ValidPos = 0;
    std::int16_t MatchCount = 0;
    std::int16_t BadInput = 0;
    Text CurChar;
};
