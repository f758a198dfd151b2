#pragma once

#include "FrameGeometry.h"

#include <QPointer>
#include <QWidget>

// The Qt window's geometry for the closing glide. Each pass is one
// setGeometry of the client area, which the xcb platform sends as a single
// ConfigureWindow with position and size; the pass is then flushed and
// painted without handling user input. It frees the window's fixed size for
// the glide.
class QtWindowGeometry : public FrameGeometry {
public:
    explicit QtWindowGeometry(QWidget& window);

protected:
    int screenWidthPixels() override;
    void place(const PixelRect& frame, const PixelRect& client) override;
    void checkWindow() override;

private:
    QWidget& window() const;

    QPointer<QWidget> window_;
};
