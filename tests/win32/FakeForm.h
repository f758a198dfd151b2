#pragma once

#include "FakeSeams.h"
#include "Form1.h"
#include "Win32WindowGeometry.h"

#include <windows.h>

#include <memory>
#include <utility>

// A Form1 whose beep, error report, glide clock, ending, geometry and
// high-contrast setting are all fakes, with a message pump that works as the
// program's does.
struct FakeForm : FakeFormSeams {
    bool highContrast = false; // what the form reads as the desktop's setting
    // Set before a close, the glide moves the real window through the
    // program's own geometry, so that what reaches the window can be seen;
    // only the clock stays a fake.
    bool realGeometry = false;
    Form1 form{formSeams()};

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

private:
    Form1::Seams formSeams()
    {
        Form1::Seams seams = this->seams<Form1::Seams>();
        seams.highContrast = [this] { return highContrast; };
        seams.geometry = [this, fake = std::move(seams.geometry)](HWND window) -> std::unique_ptr<WindowGeometry> {
            if (!realGeometry)
                return fake(window);
            ++glides;
            return std::make_unique<Win32WindowGeometry>(window);
        };
        return seams;
    }
};
