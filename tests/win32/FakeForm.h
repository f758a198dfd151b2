#pragma once

#include "FakeSeams.h"
#include "Form1.h"

#include <windows.h>

// A Form1 whose beep, error report, glide clock, ending, geometry and
// high-contrast setting are all fakes, with a message pump that works as the
// program's does.
struct FakeForm : FakeFormSeams {
    bool highContrast = false; // what the form reads as the desktop's setting
    Form1 form{withFakeHighContrast(seams<Form1::Seams>())};

    HWND window() const { return form.window(); }
    HWND control(LayoutTable::ControlId id) const { return GetDlgItem(form.window(), Form1::controlId(id)); }

    Form1::Seams withFakeHighContrast(Form1::Seams seams)
    {
        seams.highContrast = [this] { return highContrast; };
        return seams;
    }

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
