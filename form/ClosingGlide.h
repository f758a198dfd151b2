#pragma once

#include <chrono>

class GlideClock;
class WindowGeometry;

// What closing the window looks like: its edges walk inward and its corner
// down and to the right, 30 twips a pass, until its top edge passes the
// screen's width.
//
// The passes are paced so that the glide can be seen: the time left of
// Budget is shared among the passes left, no pass waits longer than
// LongestPause, and the glide stops at HardLimit however far it got, so
// that closing never hangs on a slow display.
class ClosingGlide {
public:
    static constexpr float PositionStep = 30.0F;
    static constexpr float SizeStep = 60.0F;
    static constexpr std::chrono::milliseconds Budget{1200};
    static constexpr std::chrono::milliseconds HardLimit{1700};
    static constexpr std::chrono::microseconds LongestPause{3000};

    // Returns the number of passes made.
    static int run(WindowGeometry& window, GlideClock& clock);

    // The pause before the next pass, when `elapsed` has gone by and the
    // top edge stands at `top` of a screen `screenWidth` twips wide.
    static std::chrono::microseconds pauseBefore(std::chrono::microseconds elapsed, float top, float screenWidth);
};
