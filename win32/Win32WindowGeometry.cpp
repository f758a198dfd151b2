#include "Win32WindowGeometry.h"

#include "RuntimeError.h"

namespace {

int dotsPerInch(HWND window)
{
    const UINT dpi = GetDpiForWindow(window);
    // 0 is an invalid window; any scale will do, since it cannot be read.
    return dpi ? static_cast<int>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

PixelRect frameOf(HWND window)
{
    RECT rect{};
    if (!GetWindowRect(window, &rect))
        return {};
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

PixelRect clientOf(HWND window)
{
    RECT rect{};
    POINT origin{0, 0};
    if (!GetClientRect(window, &rect) || !ClientToScreen(window, &origin))
        return {};
    return {origin.x, origin.y, rect.right, rect.bottom};
}

} // namespace

Win32WindowGeometry::Win32WindowGeometry(HWND window)
    : FrameGeometry(TwipsScale(dotsPerInch(window)), frameOf(window), clientOf(window))
    , window_(window)
{
}

void Win32WindowGeometry::checkWindow()
{
    if (!IsWindow(window_))
        throw RuntimeError(ErrorKind::FailedControlOperation);
}

int Win32WindowGeometry::screenWidthPixels()
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    if (width <= 0)
        throw RuntimeError(ErrorKind::FailedControlOperation);
    return width;
}

void Win32WindowGeometry::place(const PixelRect& frame, const PixelRect&)
{
    checkWindow();
    // SetWindowPos clamps a size below the window's smallest tracking size
    // (WM_GETMINMAXINFO); the glide goes on stepping its own record, so the
    // clamped window drifts down and to the right.
    if (!SetWindowPos(window_, nullptr, frame.left, frame.top, frame.width, frame.height,
                      SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE))
        throw RuntimeError(ErrorKind::FailedControlOperation);
    RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}
