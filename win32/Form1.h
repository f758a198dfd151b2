#pragma once

#include "EditFields.h"
#include "FormEvents.h"
#include "FormSeams.h"
#include "LayoutTable.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>

class Beeper;
class ErrorReport;
class GlideClock;
class WindowGeometry;

// The program's one window. It is built from LayoutTable, hands its events
// to FormEvents, glides away when closed, and reports any error that a
// handler raised before ending the program.
class Form1 {
public:
    // The form's seams, and whether the desktop asks every program to draw
    // in its high-contrast colours.
    struct Seams : FormSeams<HWND> {
        std::function<bool()> highContrast = &Form1::desktopHighContrast;
    };

    // Creates the window and its controls, hidden. Throws std::system_error
    // when the window system refuses them.
    explicit Form1(Seams seams);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    HWND window() const { return window_; }
    // Fills the form-level state; call once, before showing the window.
    void load();
    // Shows the window centred on the primary monitor's work area, with the
    // focus in the first field in tab order.
    void showCentred(int showCommand);
    // Tab and Shift+Tab between the controls, as in a dialog; true when
    // the message was handled and must not be dispatched again.
    bool isDialogMessage(MSG& message);

    // The control id of a control, as WM_COMMAND and GetDlgItem know it.
    // Never IDOK or IDCANCEL, which dialog navigation sends for Enter and
    // Escape.
    static int controlId(LayoutTable::ControlId id);

    // Whether a Windows high-contrast theme is on.
    static bool desktopHighContrast();

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK fieldProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR field,
                                      DWORD_PTR self) noexcept;
    static LRESULT CALLBACK buttonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self) noexcept;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleField(HWND edit, Field field, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleButton(HWND button, UINT message, WPARAM wParam, LPARAM lParam);
    void failed(const std::exception_ptr& error) noexcept;

    void release() noexcept;
    void createControls();
    void createToolTips();
    void makeFonts();
    void applyDpi(UINT dpi);
    // The frame for the client area at dpi_, centred on the primary
    // monitor's work area.
    RECT centredFrame() const;
    void click(WPARAM wParam, LPARAM lParam);
    void drawButton(const DRAWITEMSTRUCT& item) const;
    // Reads the desktop's high-contrast setting again and repaints when
    // it changed, or always when `colours` says the system colours did.
    void followDesktop(bool colours);
    HBRUSH background() const;
    void close();
    HWND control(LayoutTable::ControlId id) const { return controls_[static_cast<std::size_t>(id)]; }

    Seams seams_;
    EditFields::Controls controls_{};
    EditFields fields_;
    FormEvents events_;
    HBRUSH grey_ = nullptr; // the window class's background
    bool highContrast_ = false;
    HFONT amountFont_ = nullptr;
    HFONT messageFont_ = nullptr;
    HWND window_ = nullptr;
    HWND toolTip_ = nullptr;
    // Where the focus goes back to when the window is activated again.
    HWND lastFocus_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
};
