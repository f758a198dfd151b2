#pragma once

#include "TwipsScale.h"
#include "WindowGeometry.h"

#include <QMargins>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <chrono>

// The real window's outer geometry for the closing glide. Positions go to
// the window system at once; each pass is then flushed and painted, and
// paced so that the whole glide fits in GlideBudget whatever its length.
class ScreenWindowGeometry : public WindowGeometry {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds GlideBudget{1200};
    static constexpr std::chrono::milliseconds HardLimit{1700};
    static constexpr std::chrono::microseconds LongestPass{3000};

    explicit ScreenWindowGeometry(QWidget& window);

    float left() override;
    float top() override;
    float width() override;
    float height() override;
    void setLeft(float twips) override;
    void setTop(float twips) override;
    void setWidth(float twips) override;
    void setHeight(float twips) override;
    float screenWidth() override;
    bool showPass() override;

private:
    QWidget& checkedWindow() const;
    int pixels(float twips) const;
    void place();

    QPointer<QWidget> window_;
    TwipsScale scale_;
    QRect frame_;      // the outer rectangle as last asked for, in pixels
    QMargins margins_; // frame around the client area, as the window manager draws it
    float lastTop_ = 0;
    float lastScreenWidth_ = 0;
    Clock::time_point start_ = Clock::now();
};
