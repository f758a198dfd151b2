#pragma once

#include <cstdint>

// Decides each character typed into a number field, before the field sees
// it. Keys that produce no character never get here.
class KeyFilter {
public:
    struct Decision {
        std::int16_t code; // what to hand on to the field; 0 discards the character
        bool beep;
    };
    static Decision decide(std::int16_t code);
};
