#pragma once

#include "GlideClock.h"

// The glide's clock in real time.
class SteadyGlideClock : public GlideClock {
public:
    std::chrono::microseconds now() override;
    void pause(std::chrono::microseconds duration) override;
};
