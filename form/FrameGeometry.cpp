#include "FrameGeometry.h"

#include "RuntimeError.h"

#include <cmath>

FrameGeometry::FrameGeometry(TwipsScale scale, PixelRect frame, PixelRect client)
    : scale_(scale)
    , frame_(frame)
    , leftEdge_(client.left - frame.left)
    , topEdge_(client.top - frame.top)
    , rightEdge_(frame.left + frame.width - client.left - client.width)
    , bottomEdge_(frame.top + frame.height - client.top - client.height)
{
}

int FrameGeometry::pixels(float twips) const
{
    // A value beyond int's range would be undefined to convert.
    if (!std::isfinite(twips) || std::fabs(twips) > 1.0e9F)
        throw RuntimeError(ErrorKind::FailedControlOperation);
    return scale_.toPixels(twips);
}

PixelRect FrameGeometry::client() const
{
    return {frame_.left + leftEdge_, frame_.top + topEdge_, frame_.width - leftEdge_ - rightEdge_,
            frame_.height - topEdge_ - bottomEdge_};
}

float FrameGeometry::left()
{
    checkWindow();
    return static_cast<float>(scale_.toTwips(frame_.left));
}

float FrameGeometry::top()
{
    checkWindow();
    return static_cast<float>(scale_.toTwips(frame_.top));
}

float FrameGeometry::width()
{
    checkWindow();
    return static_cast<float>(scale_.toTwips(frame_.width));
}

float FrameGeometry::height()
{
    checkWindow();
    return static_cast<float>(scale_.toTwips(frame_.height));
}

void FrameGeometry::setLeft(float twips)
{
    frame_.left = pixels(twips);
}

void FrameGeometry::setTop(float twips)
{
    frame_.top = pixels(twips);
}

void FrameGeometry::setWidth(float twips)
{
    const int outer = pixels(twips);
    // Below one pixel of client area the window system has nothing to show:
    // the request is refused, and the glide goes on moving the small window.
    if (outer - leftEdge_ - rightEdge_ < 1)
        throw RuntimeError(ErrorKind::FailedControlOperation);
    frame_.width = outer;
}

void FrameGeometry::setHeight(float twips)
{
    const int outer = pixels(twips);
    if (outer - topEdge_ - bottomEdge_ < 1)
        throw RuntimeError(ErrorKind::FailedControlOperation);
    frame_.height = outer;
}

float FrameGeometry::screenWidth()
{
    return static_cast<float>(scale_.toTwips(screenWidthPixels()));
}

void FrameGeometry::showPass()
{
    place(frame_, client());
}
