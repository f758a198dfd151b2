#pragma once

#include <chrono>

class GlideClock;
class WindowGeometry;

// What closing the window looks like: its edges walk inward and its corner
// down and to the right, 30 twips a pass, until its top edge passes the
// screen's width.
//
// The passes are paced so that the glide can be seen: each pass has its own
// time, Budget shared evenly among all the passes but never more than
// LongestPause apart, and the glide stops at HardLimit however far it got,
// so that closing never hangs on a slow display. A pass whose time has come
// already runs without a pause: a late wake-up (a coarse system timer, a
// slow pass) is made up by the passes after it instead of pushing every one
// of them back.
class ClosingGlide {
public:
    static constexpr float PositionStep = 30.0F;
    static constexpr float SizeStep = 60.0F;
    static constexpr std::chrono::milliseconds Budget{1200};
    static constexpr std::chrono::milliseconds HardLimit{1700};
    static constexpr std::chrono::microseconds LongestPause{3000};

    // Returns the number of passes made.
    static int run(WindowGeometry& window, GlideClock& clock);

    // The pause before the next pass, when `elapsed` has gone by since the
    // first, `passesMade` passes are made and the top edge stands at `top`
    // of a screen `screenWidth` twips wide: none when that pass is due.
    static std::chrono::microseconds pauseBefore(std::chrono::microseconds elapsed, int passesMade, float top,
                                                 float screenWidth);
};
