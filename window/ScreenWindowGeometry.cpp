#include "ScreenWindowGeometry.h"

#include "ClosingGlide.h"
#include "RuntimeError.h"

#include <QCoreApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <thread>

ScreenWindowGeometry::ScreenWindowGeometry(QWidget& window)
    : window_(&window)
    , scale_(window.logicalDpiX())
    , frame_(window.frameGeometry())
{
    const QRect client = window.geometry();
    margins_ = QMargins(client.left() - frame_.left(), client.top() - frame_.top(), frame_.right() - client.right(),
                        frame_.bottom() - client.bottom());
    lastTop_ = static_cast<float>(scale_.toTwips(frame_.top()));
    if (const QScreen* screen = window.screen())
        lastScreenWidth_ = static_cast<float>(scale_.toTwips(screen->geometry().width()));
}

QWidget& ScreenWindowGeometry::checkedWindow() const
{
    if (!window_)
        throw RuntimeError(ErrorKind::FailedControlOperation);
    return *window_;
}

int ScreenWindowGeometry::pixels(float twips) const
{
    // A value beyond int's range would be undefined to convert.
    if (!std::isfinite(twips) || std::fabs(twips) > 1.0e9F)
        throw RuntimeError(ErrorKind::FailedControlOperation);
    return scale_.toPixels(twips);
}

float ScreenWindowGeometry::left()
{
    checkedWindow();
    return static_cast<float>(scale_.toTwips(frame_.left()));
}

float ScreenWindowGeometry::top()
{
    checkedWindow();
    return static_cast<float>(scale_.toTwips(frame_.top()));
}

float ScreenWindowGeometry::width()
{
    checkedWindow();
    return static_cast<float>(scale_.toTwips(frame_.width()));
}

float ScreenWindowGeometry::height()
{
    checkedWindow();
    return static_cast<float>(scale_.toTwips(frame_.height()));
}

void ScreenWindowGeometry::setLeft(float twips)
{
    frame_.moveLeft(pixels(twips));
    checkedWindow().move(frame_.topLeft());
}

void ScreenWindowGeometry::setTop(float twips)
{
    frame_.moveTop(pixels(twips));
    lastTop_ = twips;
    checkedWindow().move(frame_.topLeft());
}

void ScreenWindowGeometry::setWidth(float twips)
{
    const int outer = pixels(twips);
    // Below one pixel of client area the window system has nothing to show:
    // the request is refused, and the glide goes on moving the small window.
    if (outer - margins_.left() - margins_.right() < 1)
        throw RuntimeError(ErrorKind::FailedControlOperation);
    frame_.setWidth(outer);
    place();
}

void ScreenWindowGeometry::setHeight(float twips)
{
    const int outer = pixels(twips);
    if (outer - margins_.top() - margins_.bottom() < 1)
        throw RuntimeError(ErrorKind::FailedControlOperation);
    frame_.setHeight(outer);
    place();
}

void ScreenWindowGeometry::place()
{
    // From the record, not from the widget: the widget's own idea of its
    // size may still be a report from several passes ago.
    checkedWindow().resize(frame_.marginsRemoved(margins_).size());
}

float ScreenWindowGeometry::screenWidth()
{
    const QScreen* screen = checkedWindow().screen();
    if (!screen)
        throw RuntimeError(ErrorKind::FailedControlOperation);
    lastScreenWidth_ = static_cast<float>(scale_.toTwips(screen->geometry().width()));
    return lastScreenWidth_;
}

bool ScreenWindowGeometry::showPass()
{
    // Lets the window system see this pass and the window repaint at its new
    // size. Input stays queued: no handler may run while the window closes.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    const Clock::time_point now = Clock::now();
    if (now - start_ >= HardLimit)
        return false;
    const float remainingTwips = std::max(0.0F, lastScreenWidth_ - lastTop_);
    const long passesLeft = 1 + static_cast<long>(remainingTwips / ClosingGlide::PositionStep);
    const auto budgetLeft = std::chrono::duration_cast<std::chrono::microseconds>(GlideBudget - (now - start_));
    const auto pause = std::min(LongestPass, budgetLeft / passesLeft);
    if (pause.count() > 0)
        std::this_thread::sleep_for(pause);
    return true;
}
