#pragma once

#include "Beeper.h"
#include "ErrorReport.h"
#include "RuntimeError.h"
#include "Form1.h"
#include "WindowGeometry.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

struct CountingBeeper : Beeper {
    void beep() override { ++beeps; }
    int beeps = 0;
};

struct RecordingErrorReport : ErrorReport {
    void show(int number, const QString& description) override
    {
        reports.push_back({number, description});
        whileShown(); // a real report runs an event loop of its own
    }
    std::vector<std::pair<int, QString>> reports;
    std::function<void()> whileShown = [] {};
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
    std::vector<float> tops;                     // every Top written
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
    float screenWidth() override { return failScreenWidth ? throw RuntimeError(ErrorKind::FailedControlOperation) : screen; }
    bool showPass() override
    {
        ++passes;
        if (passesSeen)
            ++*passesSeen;
        centres.emplace_back(x + w / 2, y + h / 2);
        return passes < 100000; // a glide that never ends fails its test instead of hanging it
    }
};

// A Form1 whose beep, error report, ending and geometry are all fakes.
struct FakeForm {
    CountingBeeper beeper;
    RecordingErrorReport errorReport;
    std::vector<int> endings;
    int glides = 0;
    int glidePasses = 0;
    std::function<void(FakeGeometry&)> configureGeometry = [](FakeGeometry&) {};
    Form1 form{{beeper, errorReport, [this](int status) { endings.push_back(status); },
                [this](QWidget&) -> std::unique_ptr<WindowGeometry> {
                    auto geometry = std::make_unique<FakeGeometry>();
                    configureGeometry(*geometry);
                    geometry->passesSeen = &glidePasses;
                    ++glides;
                    return geometry;
                }}};
};
