#pragma once

#include "Beeper.h"
#include "ErrorReport.h"
#include "GlideClock.h"
#include "RuntimeError.h"
#include "WindowGeometry.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// The form's seams in memory, for the tests of both front-ends.

struct CountingBeeper : Beeper {
    void beep() override { ++beeps; }
    int beeps = 0;
};

struct RecordingErrorReport : ErrorReport {
    void show(int number, std::u16string_view description) override
    {
        reports.emplace_back(number, std::u16string(description));
        whileShown(); // a real report runs an event loop of its own
    }
    std::vector<std::pair<int, std::u16string>> reports;
    std::function<void()> whileShown = [] {};
};

// A clock that only moves when the glide pauses, or by `perPass` each time
// it is read, as if every pass took that long to draw. With a `tick`, a
// pause ends only on the first tick at or after the time asked for, as a
// sleeper wakes on a coarse system timer.
struct FakeGlideClock : GlideClock {
    std::chrono::microseconds now() override
    {
        time += perPass;
        return time;
    }
    void pause(std::chrono::microseconds duration) override
    {
        pauses.push_back(duration);
        if (passesShown)
            passesAtPauses.push_back(*passesShown);
        time += duration;
        if (tick.count() > 0)
            time = (time + tick - std::chrono::microseconds{1}) / tick * tick;
    }
    std::chrono::microseconds time{0};
    std::chrono::microseconds perPass{0};
    std::chrono::microseconds tick{0};
    std::vector<std::chrono::microseconds> pauses;
    const int* passesShown = nullptr; // the window's count, read at every pause
    std::vector<int> passesAtPauses;
};

// A window system in memory. It can ignore moves, clamp sizes, fail reads,
// and counts the passes it was shown.
struct FakeGeometry : WindowGeometry {
    float x = 0, y = 0, w = 0, h = 0, screen = 15360;
    bool ignoresMoves = false;
    bool refusesMoves = false;
    float minimumSize = 0;
    bool failReadLeft = false, failScreenWidth = false;
    int passes = 0;
    int* passesSeen = nullptr; // outlives the geometry, which the form discards after its glide
    std::vector<float> tops;                      // every Top written
    std::vector<std::pair<float, float>> centres; // after each pass

    float left() override { return failReadLeft ? throw RuntimeError(ErrorKind::FailedControlOperation) : x; }
    float top() override { return y; }
    float width() override { return w; }
    float height() override { return h; }
    void setLeft(float v) override
    {
        if (refusesMoves)
            throw RuntimeError(ErrorKind::FailedControlOperation);
        x = ignoresMoves ? x : v;
    }
    void setTop(float v) override
    {
        tops.push_back(v);
        if (refusesMoves)
            throw RuntimeError(ErrorKind::FailedControlOperation);
        y = ignoresMoves ? y : v;
    }
    void setWidth(float v) override
    {
        if (v < minimumSize)
            throw RuntimeError(ErrorKind::FailedControlOperation);
        w = v;
    }
    void setHeight(float v) override
    {
        if (v < minimumSize)
            throw RuntimeError(ErrorKind::FailedControlOperation);
        h = v;
    }
    float screenWidth() override
    {
        // A glide that never ends fails its test instead of hanging it.
        if (failScreenWidth || passes >= 100000)
            throw RuntimeError(ErrorKind::FailedControlOperation);
        return screen;
    }
    void showPass() override
    {
        ++passes;
        if (passesSeen)
            ++*passesSeen;
        centres.emplace_back(x + w / 2, y + h / 2);
    }
};

// Every seam of a front-end's Form1 at once, recording how the program ended
// and how often it glided; `seams()` hands them to the window, whatever the
// toolkit calls the window the geometry is made for.
struct FakeFormSeams {
    CountingBeeper beeper;
    RecordingErrorReport errorReport;
    FakeGlideClock glideClock;
    std::vector<int> endings;
    int glides = 0;
    int glidePasses = 0;
    std::function<void(FakeGeometry&)> configureGeometry = [](FakeGeometry&) {};

    template <class Seams>
    Seams seams()
    {
        return {beeper, errorReport, glideClock, [this](int status) { endings.push_back(status); },
                [this](auto&&) -> std::unique_ptr<WindowGeometry> {
                    auto geometry = std::make_unique<FakeGeometry>();
                    configureGeometry(*geometry);
                    geometry->passesSeen = &glidePasses;
                    ++glides;
                    return geometry;
                }};
    }
};
