#include "Win32GlideClock.h"

#include <mmsystem.h>

namespace {

// Not in every SDK's headers yet.
constexpr DWORD CreateWaitableTimerHighResolution = 0x00000002;

// A wait on a timer may end late by up to the timer's granularity: Wine's
// server rounds every timeout up to a whole millisecond, and the fallback's
// timer ticks once a millisecond. The timer covers the pause up to this much
// before its end; the rest is waited out on the clock, giving the processor
// away meanwhile.
constexpr std::chrono::microseconds FinishOnTheClock{1000};

template <class Procedure>
Procedure procedure(HMODULE module, const char* name)
{
    // Through void(*)(), the one cast between function types that is
    // meant to be undone.
    return reinterpret_cast<Procedure>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace

Win32GlideClock::~Win32GlideClock()
{
    if (timeEndPeriod_)
        timeEndPeriod_(1);
    if (winmm_)
        FreeLibrary(winmm_);
    if (timer_)
        CloseHandle(timer_);
}

void Win32GlideClock::prepare() noexcept
{
    // On the first pause, not at start-up: only a closing window needs it.
    if (prepared_)
        return;
    prepared_ = true;
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, CreateWaitableTimerHighResolution, TIMER_ALL_ACCESS);
    if (timer_)
        return;
    // Refused before Windows 10 1803. winmm.dll is loaded only here, so
    // that the program neither imports it nor loads it at every start.
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    winmm_ = LoadLibraryExW(L"winmm.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!winmm_)
        return;
    const auto begin = procedure<decltype(&timeBeginPeriod)>(winmm_, "timeBeginPeriod");
    const auto end = procedure<decltype(&timeEndPeriod)>(winmm_, "timeEndPeriod");
    if (begin && end && begin(1) == TIMERR_NOERROR) {
        timeEndPeriod_ = end;
    } else {
        FreeLibrary(winmm_);
        winmm_ = nullptr;
    }
}

void Win32GlideClock::pause(std::chrono::microseconds duration)
{
    if (duration.count() <= 0)
        return;
    prepare();
    const std::chrono::microseconds end = now() + duration;
    const std::chrono::microseconds onTimer = duration - FinishOnTheClock;
    if (onTimer.count() > 0) {
        // Negative: relative to now, in units of 100 ns.
        LARGE_INTEGER due{};
        due.QuadPart = -10 * onTimer.count();
        if (timer_ && SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE))
            WaitForSingleObject(timer_, INFINITE);
        else
            Sleep(static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(onTimer).count()));
    }
    while (now() < end)
        SwitchToThread();
}
