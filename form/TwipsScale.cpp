#include "TwipsScale.h"

#include <cmath>

int TwipsScale::toPixels(double twips) const
{
    // Multiplying first keeps whole twips exact: a half pixel stays a half
    // and rounds the same way as in integer arithmetic.
    return static_cast<int>(std::lround(twips * dotsPerInch_ / 1440.0));
}

PixelRect TwipsScale::toPixels(int left, int top, int width, int height) const
{
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}
