#include "Form1.h"

#include "ResourceIds.h"
#include "TwipsScale.h"
#include "WideText.h"
#include "WindowGeometry.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace {

using LayoutTable::ControlId;

constexpr wchar_t ClassName[] = L"MarrowvaleForm1";
// A fixed frame: the layout is designed for one client size.
constexpr DWORD FormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD FormExStyle = 0;
// Above IDOK (1) and IDCANCEL (2), which dialog navigation sends for Enter
// and Escape: no control may be clicked by either key.
constexpr int FirstControlId = 100;
constexpr UINT CreateToolTipsMessage = WM_APP;
constexpr COLORREF Grey = RGB(LayoutTable::BackgroundGrey, LayoutTable::BackgroundGrey, LayoutTable::BackgroundGrey);
// Text on the grey is black, whatever colour the desktop gives its text.
constexpr COLORREF Black = RGB(0, 0, 0);
// "MS Sans Serif" is a bitmap face on Windows: a few sizes, drawn for 96
// and 120 dots per inch, without ClearType. Its outline face of the same
// design scales to every resolution the window gets.
constexpr wchar_t AmountFontFace[] = L"Microsoft Sans Serif";

[[noreturn]] void throwLastError(const char* what)
{
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

std::wstring wide(const char16_t* text)
{
    return text ? toWide(text) : std::wstring();
}

// The controls in creation order, which is the order dialog navigation
// tabs through (with WS_TABSTOP): by tab index, except that each caption
// comes just before the field it names, where screen readers look for a
// field's name. Captions take no focus, so they change nothing for Tab.
std::vector<const LayoutTable::Control*> creationOrder()
{
    const auto key = [](const LayoutTable::Control& control) {
        const LayoutTable::Control& place = control.labelFor ? LayoutTable::control(*control.labelFor) : control;
        return std::pair(place.tabIndex, control.kind != LayoutTable::Kind::Label);
    };
    std::vector<const LayoutTable::Control*> order;
    for (const LayoutTable::Control& control : LayoutTable::Controls)
        order.push_back(&control);
    std::sort(order.begin(), order.end(), [&](const auto* a, const auto* b) { return key(*a) < key(*b); });
    return order;
}

void registerClass(HINSTANCE instance, WNDPROC procedure)
{
    static const ATOM atom = [&] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        // Lives as long as the class, which is as long as the process; the
        // labels and buttons are painted with it too.
        windowClass.hbrBackground = CreateSolidBrush(Grey);
        windowClass.lpszClassName = ClassName;
        // An executable without the icon resource (a test) has no icon.
        windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(MARROWVALE_ICON_ID), IMAGE_ICON,
                                                          GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                                          LR_SHARED));
        windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(MARROWVALE_ICON_ID),
                                                            IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                            GetSystemMetrics(SM_CYSMICON), LR_SHARED));
        return RegisterClassExW(&windowClass);
    }();
    if (!atom)
        throwLastError("RegisterClassExW");
}

RECT primaryWorkArea()
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    return info.rcWork;
}

} // namespace

int Form1::controlId(ControlId id)
{
    return FirstControlId + static_cast<int>(id);
}

bool Form1::desktopHighContrast()
{
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

Form1::Form1(Seams seams)
    : seams_(std::move(seams))
    , fields_(controls_, seams_.beeper)
    , events_(fields_, seams_.errorReport, seams_.endProgram)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    try {
        registerClass(instance, &Form1::windowProc);
        const std::wstring title = wide(LayoutTable::Title);
        // Created where and as large as it will be shown, at the resolution
        // it most likely gets there: every later move or resize of a window
        // is a round trip to the window system (under Wine, to the X server).
        dpi_ = GetDpiForSystem();
        const RECT place = centredFrame();
        if (!CreateWindowExW(FormExStyle, ClassName, title.c_str(), FormStyle, place.left, place.top,
                             place.right - place.left, place.bottom - place.top, nullptr, nullptr, instance, this))
            throwLastError("CreateWindowExW");
        grey_ = reinterpret_cast<HBRUSH>(GetClassLongPtrW(window_, GCLP_HBRBACKGROUND));
        highContrast_ = seams_.highContrast();
        const UINT dpi = GetDpiForWindow(window_);
        const bool guessed = dpi == dpi_;
        dpi_ = dpi ? dpi : USER_DEFAULT_SCREEN_DPI;
        makeFonts();
        createControls();
        if (!guessed) {
            const RECT frame = centredFrame();
            SetWindowPos(window_, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
        lastFocus_ = control(ControlId::Text1);
    } catch (...) {
        release();
        throw;
    }
}

Form1::~Form1()
{
    release();
}

void Form1::release() noexcept
{
    if (window_)
        DestroyWindow(window_);
    window_ = nullptr;
    for (HFONT font : {amountFont_, messageFont_})
        if (font)
            DeleteObject(font);
    amountFont_ = nullptr;
    messageFont_ = nullptr;
}

void Form1::createControls()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const TwipsScale scale(static_cast<int>(dpi_));
    for (const LayoutTable::Control* row : creationOrder()) {
        const wchar_t* windowClass = L"";
        DWORD style = WS_CHILD | WS_VISIBLE;
        DWORD exStyle = 0;
        switch (row->kind) {
        case LayoutTable::Kind::Label:
            windowClass = L"STATIC";
            // SS_NOTIFY lets the mouse reach the label, which a tooltip needs.
            style |= SS_CENTER | SS_NOPREFIX | (row->toolTip ? SS_NOTIFY : 0);
            break;
        case LayoutTable::Kind::TextBox:
            windowClass = L"EDIT";
            style |= WS_TABSTOP | ES_AUTOHSCROLL | (row->amountFont ? ES_CENTER : ES_LEFT);
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case LayoutTable::Kind::Button:
            windowClass = L"BUTTON";
            // Drawn here, in the form's colours, which a themed push button
            // would not take. Not a default button either way.
            style |= WS_TABSTOP | BS_OWNERDRAW;
            break;
        }
        // An owner-drawn button shows no text of its own: its window text
        // is only what a screen reader announces.
        const std::wstring text = wide(row->kind == LayoutTable::Kind::Button ? row->accessibleName : row->text);
        const PixelRect place = scale.toPixels(row->left, row->top, row->width, row->height);
        const HWND handle = CreateWindowExW(exStyle, windowClass, text.c_str(), style, place.left, place.top,
                                            place.width, place.height, window_,
                                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(row->id))),
                                            instance, nullptr);
        if (!handle)
            throwLastError("CreateWindowExW");
        controls_[static_cast<std::size_t>(row->id)] = handle;
        // Not yet shown: nothing to redraw.
        SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(row->amountFont ? amountFont_ : messageFont_), FALSE);
        if (row->kind == LayoutTable::Kind::TextBox) {
            // An EDIT control takes 32,767 characters unless told otherwise;
            // the fields take any length, and the field check sees it.
            SendMessageW(handle, EM_SETLIMITTEXT, 0, 0);
        }
    }
    for (Field field : {Field::Text1, Field::Text2, Field::Text3}) {
        const HWND edit = control(LayoutTable::controlOf(field));
        const auto id = static_cast<UINT_PTR>(field);
        if (!SetWindowSubclass(edit, &Form1::fieldProc, id, reinterpret_cast<DWORD_PTR>(this)))
            throwLastError("SetWindowSubclass");
    }
    for (ControlId button : {ControlId::Command1, ControlId::Command2})
        if (!SetWindowSubclass(control(button), &Form1::buttonProc, 0, reinterpret_cast<DWORD_PTR>(this)))
            throwLastError("SetWindowSubclass");
}

void Form1::createToolTips()
{
    if (toolTip_)
        return;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    // TTS_NOPREFIX: the texts are shown exactly as written.
    toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance,
                               nullptr);
    if (!toolTip_)
        throwLastError("CreateWindowExW tooltip");
    for (const LayoutTable::Control& row : LayoutTable::Controls) {
        if (!row.toolTip)
            continue;
        std::wstring text = wide(row.toolTip);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(control(row.id));
        tool.lpszText = text.data();
        if (!SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)))
            throw std::system_error(std::make_error_code(std::errc::invalid_argument), "TTM_ADDTOOLW");
    }
}

void Form1::makeFonts()
{
    const int dotsPerInch = static_cast<int>(dpi_);
    // The em in pixels, at 7200 centipoints to the inch; negative asks for
    // the character height rather than the cell.
    const int height = MulDiv(LayoutTable::AmountFontCentipoints, dotsPerInch, 7200);
    amountFont_ = CreateFontW(-height, 0, 0, 0, LayoutTable::AmountFontWeight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                              AmountFontFace);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    // Without the message font the controls keep the system font.
    messageFont_ = SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi_)
                       ? CreateFontIndirectW(&metrics.lfMessageFont)
                       : nullptr;
}

void Form1::applyDpi(UINT dpi)
{
    const HFONT oldAmount = amountFont_;
    const HFONT oldMessage = messageFont_;
    dpi_ = dpi ? dpi : USER_DEFAULT_SCREEN_DPI;
    makeFonts();
    const TwipsScale scale(static_cast<int>(dpi_));
    for (const LayoutTable::Control& row : LayoutTable::Controls) {
        const HWND handle = control(row.id);
        const PixelRect place = scale.toPixels(row.left, row.top, row.width, row.height);
        SetWindowPos(handle, nullptr, place.left, place.top, place.width, place.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(row.amountFont ? amountFont_ : messageFont_), TRUE);
    }
    // Only now that no control uses them any more.
    for (HFONT font : {oldAmount, oldMessage})
        if (font)
            DeleteObject(font);
}

RECT Form1::centredFrame() const
{
    const TwipsScale scale(static_cast<int>(dpi_));
    RECT frame{0, 0, scale.toPixels(LayoutTable::ClientWidth), scale.toPixels(LayoutTable::ClientHeight)};
    AdjustWindowRectExForDpi(&frame, FormStyle, FALSE, FormExStyle, dpi_);
    const RECT work = primaryWorkArea();
    const LONG width = frame.right - frame.left;
    const LONG height = frame.bottom - frame.top;
    const LONG left = work.left + (work.right - work.left - width) / 2;
    const LONG top = work.top + (work.bottom - work.top - height) / 2;
    return {left, top, left + width, top + height};
}

void Form1::load()
{
    events_.load();
}

void Form1::showCentred(int showCommand)
{
    // Made centred; only a work area that changed since calls for a move.
    const RECT frame = centredFrame();
    RECT now{};
    GetWindowRect(window_, &now);
    if (!EqualRect(&now, &frame))
        SetWindowPos(window_, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    // Activation has handed the focus on to lastFocus_, the first field; an
    // inactive start (a minimised launch) leaves it for the activation.
    if (GetActiveWindow() == window_)
        SetFocus(lastFocus_);
    // The tooltips are needed only once the pointer rests on a control, so
    // they are made once the window is on the screen: they cost as much as
    // a fifth of what the window does before it can appear.
    PostMessageW(window_, CreateToolTipsMessage, 0, 0);
}

bool Form1::isDialogMessage(MSG& message)
{
    return window_ && IsDialogMessageW(window_, &message);
}

void Form1::click(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) != BN_CLICKED || !lParam)
        return;
    for (ControlId button : {ControlId::Command1, ControlId::Command2})
        if (LOWORD(wParam) == controlId(button))
            events_.click(button);
}

HBRUSH Form1::background() const
{
    return highContrast_ ? GetSysColorBrush(COLOR_WINDOW) : grey_;
}

void Form1::followDesktop(bool colours)
{
    const bool was = highContrast_;
    highContrast_ = seams_.highContrast();
    if (colours || highContrast_ != was)
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Form1::drawButton(const DRAWITEMSTRUCT& item) const
{
    RECT face = item.rcItem;
    FillRect(item.hDC, &face, highContrast_ ? GetSysColorBrush(COLOR_BTNFACE) : grey_);
    SetTextColor(item.hDC, highContrast_ ? GetSysColor(COLOR_BTNTEXT) : Black);
    SetBkColor(item.hDC, highContrast_ ? GetSysColor(COLOR_BTNFACE) : Grey);
    DrawEdge(item.hDC, &face, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    // The focus rectangle only once the keyboard has been used, as Windows
    // shows it on its own buttons.
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        InflateRect(&face, -4, -4);
        DrawFocusRect(item.hDC, &face);
    }
}

void Form1::close()
{
    // A close while closing or after an error changes nothing.
    if (events_.isEnding())
        return;
    if (toolTip_)
        SendMessageW(toolTip_, TTM_POP, 0, 0);
    const std::unique_ptr<WindowGeometry> geometry = seams_.geometry(window_);
    events_.unload(*geometry, seams_.glideClock);
}

LRESULT Form1::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CTLCOLORSTATIC: {
        // Under a high-contrast theme Windows asks every program to draw
        // in the system colours the user chose.
        const auto dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, highContrast_ ? GetSysColor(COLOR_WINDOWTEXT) : Black);
        SetBkColor(dc, highContrast_ ? GetSysColor(COLOR_WINDOW) : Grey);
        return reinterpret_cast<LRESULT>(background());
    }
    case WM_ERASEBKGND: {
        // The class brush is the grey, which a high-contrast theme replaces.
        RECT client{};
        GetClientRect(window_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, background());
        return TRUE;
    }
    case WM_SYSCOLORCHANGE:
        // Common controls learn of new system colours only from the window
        // that holds them.
        for (HWND handle : controls_)
            if (handle)
                SendMessageW(handle, WM_SYSCOLORCHANGE, wParam, lParam);
        followDesktop(true);
        return 0;
    case WM_SETTINGCHANGE:
        followDesktop(false);
        break;
    case WM_DRAWITEM:
        drawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        click(wParam, lParam);
        return 0;
    case WM_ACTIVATE:
        // A plain window gives the focus to itself when it is activated
        // again; remembering the control lets WM_SETFOCUS hand it back.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(window_, focus))
                lastFocus_ = focus;
        }
        break;
    case WM_SETFOCUS:
        if (lastFocus_ && IsWindow(lastFocus_))
            SetFocus(lastFocus_);
        return 0;
    case WM_DPICHANGED: {
        applyDpi(HIWORD(wParam));
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_CLOSE:
        // Not DefWindowProc: the window is not destroyed, the program ends.
        close();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case CreateToolTipsMessage:
        createToolTips();
        return 0;
    case WM_ENDSESSION:
        // Only once the session really ends: it may still be cancelled
        // after the query.
        if (wParam)
            close();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT Form1::handleField(HWND edit, Field field, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CHAR: {
        const auto code = static_cast<std::int16_t>(static_cast<std::uint16_t>(wParam));
        const std::int16_t passed = events_.keyPress(field, code);
        // A refused code never reaches the EDIT control, so its own Ctrl+A,
        // Ctrl+C, Ctrl+V, Ctrl+X and Ctrl+Z do not run either.
        if (passed == 0)
            return 0;
        return DefSubclassProc(edit, message, static_cast<std::uint16_t>(passed), lParam);
    }
    case WM_KEYDOWN:
        // Ctrl+letter types a control code, which the filter decides in
        // WM_CHAR; the EDIT control must not act on the key before that
        // (Wine's selects everything on the key down of Ctrl+A). The message
        // loop has made the WM_CHAR already: TranslateMessage ran first.
        if (wParam >= 'A' && wParam <= 'Z' && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0)
            return 0;
        break;
    case WM_GETDLGCODE: {
        // Dialog navigation turns Enter and Escape into IDOK and IDCANCEL
        // unless the field asks for them; the keystroke filter decides them.
        LRESULT code = DefSubclassProc(edit, message, wParam, lParam);
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key && key->message == WM_KEYDOWN && (key->wParam == VK_RETURN || key->wParam == VK_ESCAPE))
            code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(edit, &Form1::fieldProc, static_cast<UINT_PTR>(field));
        break;
    default:
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

LRESULT Form1::handleButton(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE: {
        // An owner-drawn button reports no push-button code, so dialog
        // navigation turns Enter into IDOK. Reporting one would not do
        // either: navigation clicks only a default push button, and restyles
        // push buttons as it moves the focus, which would undo the owner
        // draw. Asking for Enter itself leaves the button as it is.
        LRESULT code = DefSubclassProc(button, message, wParam, lParam);
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN)
            code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_KEYDOWN:
        // Enter, and the keypad's, clicks the focused button when it goes
        // down, as dialog navigation clicks a default push button.
        if (wParam == VK_RETURN) {
            SendMessageW(window_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
            return 0;
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(button, &Form1::buttonProc, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

void Form1::failed(const std::exception_ptr& error) noexcept
{
    events_.guard([&error] { std::rethrow_exception(error); });
}

LRESULT CALLBACK Form1::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Form1*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // No exception may unwind through user32's frames.
    try {
        return self->handle(message, wParam, lParam);
    } catch (...) {
        self->failed(std::current_exception());
        return 0;
    }
}

LRESULT CALLBACK Form1::fieldProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR field,
                                  DWORD_PTR self) noexcept
{
    auto* form = reinterpret_cast<Form1*>(self);
    try {
        return form->handleField(edit, static_cast<Field>(field), message, wParam, lParam);
    } catch (...) {
        form->failed(std::current_exception());
        return 0;
    }
}

LRESULT CALLBACK Form1::buttonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR self) noexcept
{
    auto* form = reinterpret_cast<Form1*>(self);
    try {
        return form->handleButton(button, message, wParam, lParam);
    } catch (...) {
        form->failed(std::current_exception());
        return 0;
    }
}
