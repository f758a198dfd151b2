#pragma once

// The window's outer position and size and the screen's width, in twips,
// as the closing glide reads and writes them. Every operation may raise a
// RuntimeError, as a refused window operation does.
class WindowGeometry {
public:
    virtual ~WindowGeometry() = default;
    virtual float left() = 0;
    virtual float top() = 0;
    virtual float width() = 0;
    virtual float height() = 0;
    virtual void setLeft(float twips) = 0;
    virtual void setTop(float twips) = 0;
    virtual void setWidth(float twips) = 0;
    virtual void setHeight(float twips) = 0;
    virtual float screenWidth() = 0;

    // Brings the pass's writes to the screen as one request, position and
    // size together, and lets the window repaint. A window manager that saw
    // the move apart from the resize would place the frame at its old size.
    virtual void showPass() = 0;
};
