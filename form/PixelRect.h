#pragma once

// A rectangle in whole pixels: a control's place, or a window's frame.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};
