#pragma once

#include "PixelRect.h"
#include "TwipsScale.h"
#include "WindowGeometry.h"

// The real window's geometry for the closing glide, kept in pixels as the
// glide last asked for it: the frame the window manager draws, and the
// client area inside it. A front-end supplies the screen's width and the
// one request that places the window; this class does the twips, the
// rounding and the smallest size a window can have.
class FrameGeometry : public WindowGeometry {
public:
    // `frame` is the outer rectangle, `client` the client area within it,
    // both in screen pixels at `scale`.
    FrameGeometry(TwipsScale scale, PixelRect frame, PixelRect client);

    float left() override;
    float top() override;
    float width() override;
    float height() override;
    void setLeft(float twips) override;
    void setTop(float twips) override;
    void setWidth(float twips) override;
    void setHeight(float twips) override;
    float screenWidth() override;
    void showPass() override;

protected:
    // The screen's width in pixels, read afresh; raises when it cannot be.
    virtual int screenWidthPixels() = 0;
    // Asks the window system for the new frame and client area in one
    // request, and brings it to the screen. Raises when the window is gone.
    virtual void place(const PixelRect& frame, const PixelRect& client) = 0;
    // Raises when the window can no longer be read or written.
    virtual void checkWindow() = 0;

private:
    int pixels(float twips) const;
    PixelRect client() const;

    TwipsScale scale_;
    PixelRect frame_;
    // The frame's edges around the client area, as the window manager draws them.
    int leftEdge_, topEdge_, rightEdge_, bottomEdge_;
};
