#pragma once

#include "FakeSeams.h"
#include "Form1.h"

#include <functional>
#include <memory>
#include <vector>

// A Form1 whose beep, error report, glide clock, ending and geometry are
// all fakes.
struct FakeForm {
    CountingBeeper beeper;
    RecordingErrorReport errorReport;
    FakeGlideClock glideClock;
    std::vector<int> endings;
    int glides = 0;
    int glidePasses = 0;
    std::function<void(FakeGeometry&)> configureGeometry = [](FakeGeometry&) {};
    Form1 form{{beeper, errorReport, glideClock, [this](int status) { endings.push_back(status); },
                [this](QWidget&) -> std::unique_ptr<WindowGeometry> {
                    auto geometry = std::make_unique<FakeGeometry>();
                    configureGeometry(*geometry);
                    geometry->passesSeen = &glidePasses;
                    ++glides;
                    return geometry;
                }}};
};
