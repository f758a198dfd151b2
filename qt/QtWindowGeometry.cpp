#include "QtWindowGeometry.h"

#include "RuntimeError.h"

#include <QCoreApplication>
#include <QScreen>

namespace {

PixelRect pixelRect(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

} // namespace

QtWindowGeometry::QtWindowGeometry(QWidget& window)
    : FrameGeometry(TwipsScale(window.logicalDpiX()), pixelRect(window.frameGeometry()), pixelRect(window.geometry()))
    , window_(&window)
{
    // The window's size is fixed while it is open; a top-level setGeometry
    // would be held to that size, and the glide could not shrink it.
    window.setMinimumSize(0, 0);
    window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

QWidget& QtWindowGeometry::window() const
{
    if (!window_)
        throw RuntimeError(ErrorKind::FailedControlOperation);
    return *window_;
}

void QtWindowGeometry::checkWindow()
{
    window();
}

int QtWindowGeometry::screenWidthPixels()
{
    const QScreen* screen = window().screen();
    if (!screen)
        throw RuntimeError(ErrorKind::FailedControlOperation);
    return screen->geometry().width();
}

void QtWindowGeometry::place(const PixelRect&, const PixelRect& client)
{
    // The client area, not the frame: a top-level setGeometry is placed with
    // static gravity, so the window manager puts the client exactly here and
    // draws its frame around it, moved and resized at once.
    window().setGeometry(client.left, client.top, client.width, client.height);
    // Lets the window system see this pass and the window repaint at its new
    // size. Input stays queued: no handler may run while the window closes.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
