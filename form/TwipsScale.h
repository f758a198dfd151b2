#pragma once

#include "PixelRect.h"

// Twips to pixels and back at a window's resolution: 1440 twips to the
// inch, so 15 twips a pixel at 96 dots per inch. Rounds halves away from
// zero, as Windows' MulDiv(twips, dpi, 1440) does, so both front-ends put
// every control on the same pixel.
class TwipsScale {
public:
    explicit TwipsScale(int dotsPerInch) : dotsPerInch_(dotsPerInch) {}

    int toPixels(double twips) const;
    double toTwips(int pixels) const { return pixels * 1440.0 / dotsPerInch_; }
    PixelRect toPixels(int left, int top, int width, int height) const;

private:
    int dotsPerInch_;
};
