#pragma once

#include <QRect>

// Twips to pixels and back at a screen's logical resolution: 1440 twips to
// the inch, so 15 twips per pixel at 96 dots per inch.
class TwipsScale {
public:
    explicit TwipsScale(double dotsPerInch) : dotsPerInch_(dotsPerInch) {}

    int toPixels(double twips) const;
    double toTwips(int pixels) const { return pixels * twipsPerPixel(); }
    double twipsPerPixel() const { return 1440.0 / dotsPerInch_; }
    QRect toPixels(int left, int top, int width, int height) const;

private:
    double dotsPerInch_;
};
