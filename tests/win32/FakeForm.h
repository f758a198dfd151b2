#pragma once

#include "FakeSeams.h"
#include "Form1.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

// A Form1 whose beep, error report, glide clock, ending and geometry are
// all fakes, with a message pump that works as the program's does.
struct FakeForm {
    CountingBeeper beeper;
    RecordingErrorReport errorReport;
    FakeGlideClock glideClock;
    std::vector<int> endings;
    int glides = 0;
    int glidePasses = 0;
    std::function<void(FakeGeometry&)> configureGeometry = [](FakeGeometry&) {};
    Form1 form{{beeper, errorReport, glideClock, [this](int status) { endings.push_back(status); },
                [this](HWND) -> std::unique_ptr<WindowGeometry> {
                    auto geometry = std::make_unique<FakeGeometry>();
                    configureGeometry(*geometry);
                    geometry->passesSeen = &glidePasses;
                    ++glides;
                    return geometry;
                }}};

    HWND window() const { return form.window(); }
    HWND control(LayoutTable::ControlId id) const { return GetDlgItem(form.window(), Form1::controlId(id)); }

    // Dispatches everything queued, through dialog navigation first.
    void pump()
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!form.isDialogMessage(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
    }
};
