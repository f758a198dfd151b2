#include "SteadyGlideClock.h"

#include <thread>

std::chrono::microseconds SteadyGlideClock::now()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch());
}

void SteadyGlideClock::pause(std::chrono::microseconds duration)
{
    if (duration.count() > 0)
        std::this_thread::sleep_for(duration);
}
