#include "ClosingGlide.h"

#include "RuntimeError.h"
#include "WindowGeometry.h"

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

int ClosingGlide::run(WindowGeometry& window)
{
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
        if (!window.showPass())
            break;
        // An error in the test leaves the loop, like any error there would.
        bool again = false;
        resumeNext([&] { again = top.value() <= window.screenWidth(); });
        if (!again)
            break;
    }
    return passes;
}
