#include "Startup.h"

#include "Form1.h"
#include "LayoutTable.h"
#include "MessageBeeper.h"
#include "MessageBoxErrorReport.h"
#include "WideText.h"
#include "Win32GlideClock.h"
#include "Win32WindowGeometry.h"

#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <memory>
#include <optional>

int Startup::run(int showCommand)
{
    INITCOMMONCONTROLSEX commonControls{};
    commonControls.dwSize = sizeof commonControls;
    commonControls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES;
    InitCommonControlsEx(&commonControls);

    MessageBeeper beeper;
    MessageBoxErrorReport errorReport;
    Win32GlideClock glideClock;
    std::optional<int> status;
    std::unique_ptr<Form1> form;
    try {
        form = std::make_unique<Form1>(Form1::Seams{
            beeper, errorReport, glideClock,
            [&status](int code) {
                status = code;
                PostQuitMessage(code);
            },
            [](HWND window) { return std::make_unique<Win32WindowGeometry>(window); }});
    } catch (const std::exception&) {
        const std::wstring title = toWide(LayoutTable::Title);
        MessageBoxW(nullptr, L"The window could not be created.", title.c_str(), MB_OK | MB_ICONERROR);
        return 1;
    }
    errorReport.setOwner(form->window());
    form->load();
    if (!status)
        form->showCentred(showCommand);

    // The loop stops as soon as the program has ended, before any input
    // that queued up during the glide or the report is dispatched.
    MSG message{};
    while (!status) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(message.wParam);
        if (got == -1)
            return 1;
        if (!form->isDialogMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return *status;
}
