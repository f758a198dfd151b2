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

    // Brings one pass of the glide to the screen. Returns false when the
    // glide has had its time and must end now.
    virtual bool showPass() = 0;
};
