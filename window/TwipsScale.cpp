#include "TwipsScale.h"

#include <cmath>

int TwipsScale::toPixels(double twips) const
{
    return static_cast<int>(std::lround(twips / twipsPerPixel()));
}

QRect TwipsScale::toPixels(int left, int top, int width, int height) const
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}
