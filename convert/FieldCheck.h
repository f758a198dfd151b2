#pragma once

#include "Text.h"

#include <cstdint>
#include <vector>

// Whether a whole field holds only admissible characters. It catches what
// reached the field around the key filter (a paste) and what the filter
// itself lets through. The state is shared by the checks of all three
// fields and is left behind for the caller to read.
class FieldCheck {
public:
    void setValidChars(Text chars);

    // Leaves 0 in BadInput when every character of the text is one of
    // ValidChars, 1 otherwise. A text too long to be counted in 16 bits
    // (32,767 characters or more) fails.
    void run(const Text& text);

    std::int16_t badInput() const { return BadInput; }

private:
    // Consecutive code units that each occur `occurrences` times in
    // ValidChars: ".0123456789" is two runs, '.' and '0' to '9'.
    struct Run {
        char16_t first;
        char16_t width; // last - first
        std::int32_t occurrences;
    };

    Text ValidChars;
    std::vector<Run> runs_;
    std::int16_t MatchCount = 0;
    std::int16_t BadInput = 0;
};
