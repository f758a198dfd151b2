#pragma once

#include <chrono>

// Time as the closing glide paces itself by. Tests step it by hand, so a
// glide runs through without waiting and its pauses can be read back.
class GlideClock {
public:
    virtual ~GlideClock() = default;
    // A monotonic time; only differences between two readings mean anything.
    virtual std::chrono::microseconds now() = 0;
    virtual void pause(std::chrono::microseconds duration) = 0;
};
