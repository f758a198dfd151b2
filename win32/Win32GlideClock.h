#pragma once

#include "SteadyGlideClock.h"

#include <windows.h>

// The glide's clock on Windows. Sleep, and the sleep_for built on it, wake
// on the system timer: every 15.6 ms unless the process raises its timer
// resolution, which since Windows 10 2004 no other process can do for it.
// The pauses wait on a high-resolution waitable timer instead (Windows 10
// 1803 and later); where that is refused, on a plain one, with the system
// timer raised to 1 ms from the first pause until the clock is destroyed,
// which the program does as the glide ends it.
class Win32GlideClock : public SteadyGlideClock {
public:
    Win32GlideClock() = default;
    ~Win32GlideClock() override;
    Win32GlideClock(const Win32GlideClock&) = delete;
    Win32GlideClock& operator=(const Win32GlideClock&) = delete;

    void pause(std::chrono::microseconds duration) override;

private:
    void prepare() noexcept;

    bool prepared_ = false;
    HANDLE timer_ = nullptr;
    HMODULE winmm_ = nullptr;
    UINT(WINAPI* timeEndPeriod_)(UINT) = nullptr;
};
