#include "ClosingGlide.h"

#include "GlideClock.h"
#include "RuntimeError.h"
#include "WindowGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

// Every statement of the glide carries on past an error, skipping only
// itself; this runs one statement that way.
template <class Statement>
void resumeNext(Statement&& statement)
{
    try {
        statement();
    } catch (const RuntimeError&) {
    }
}

// One property of the window as the glide last set it. Window systems
// report positions late (X11) or not at all (Wayland), so the glide steps
// from its own record; reading the window back would repeat or stall passes.
class Record {
public:
    template <class Read>
    explicit Record(Read&& read)
    {
        resumeNext([&] {
            value_ = read();
            known_ = true;
        });
    }

    template <class Write>
    void step(float delta, Write&& write)
    {
        resumeNext([&] {
            const float next = value() + delta;
            if (!std::isfinite(next))
                throw RuntimeError(ErrorKind::FloatingPointFault);
            value_ = next;
            write(next);
        });
    }

    // Raises, like reading a property that could not be read at the start.
    float value() const
    {
        if (!known_)
            throw RuntimeError(ErrorKind::FailedControlOperation);
        return value_;
    }

private:
    float value_ = 0;
    bool known_ = false;
};

} // namespace

int ClosingGlide::run(WindowGeometry& window, GlideClock& clock)
{
    const std::chrono::microseconds start = clock.now();
    Record left([&] { return window.left(); });
    Record top([&] { return window.top(); });
    Record width([&] { return window.width(); });
    Record height([&] { return window.height(); });

    int passes = 0;
    for (;;) {
        ++passes;
        top.step(PositionStep, [&](float v) { window.setTop(v); });
        left.step(PositionStep, [&](float v) { window.setLeft(v); });
        width.step(-SizeStep, [&](float v) { window.setWidth(v); });
        height.step(-SizeStep, [&](float v) { window.setHeight(v); });
        resumeNext([&] { window.showPass(); });

        // An error in the test leaves the loop, like any error there would.
        bool again = false;
        float screen = 0;
        float topNow = 0;
        resumeNext([&] {
            screen = window.screenWidth();
            topNow = top.value();
            again = topNow <= screen;
        });
        if (!again)
            break;
        const std::chrono::microseconds elapsed = clock.now() - start;
        if (elapsed >= HardLimit)
            break;
        const std::chrono::microseconds pause = pauseBefore(elapsed, passes, topNow, screen);
        if (pause.count() > 0)
            clock.pause(pause);
    }
    return passes;
}

std::chrono::microseconds ClosingGlide::pauseBefore(std::chrono::microseconds elapsed, int passesMade, float top,
                                                    float screenWidth)
{
    // The passes made, the next one, and one more for every step the top
    // edge can still take without passing the screen's width. Capped, so
    // that a nonsensical screen size cannot overflow the count. Counted
    // afresh on every pass, as the screen's width is read.
    using Rep = std::chrono::microseconds::rep;
    const float steps = std::clamp((screenWidth - top) / PositionStep, 0.0F, 1.0e9F);
    const Rep made = std::max(passesMade, 1);
    const Rep passes = made + 1 + static_cast<Rep>(steps);
    // The first pass runs at once; pass n + 1 is due n shares into the glide.
    const Rep due = std::min(made * LongestPause.count(), made * std::chrono::microseconds{Budget}.count() / passes);
    // Never longer than LongestPause, even when a screen that changed its
    // width has moved the due time ahead.
    return std::chrono::microseconds{std::clamp(due - elapsed.count(), Rep{0}, LongestPause.count())};
}
