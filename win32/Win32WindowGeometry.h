#pragma once

#include "FrameGeometry.h"

#include <windows.h>

// The window's geometry for the closing glide, in twips at the window's
// own resolution. Each pass is one SetWindowPos with position and size,
// after which the window repaints before the next pass.
class Win32WindowGeometry : public FrameGeometry {
public:
    // Reads the window's frame and client area now; a window that cannot
    // be read raises at the glide's first read instead.
    explicit Win32WindowGeometry(HWND window);

protected:
    int screenWidthPixels() override;
    void place(const PixelRect& frame, const PixelRect& client) override;
    void checkWindow() override;

private:
    HWND window_;
};
