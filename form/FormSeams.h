#pragma once

#include <functional>
#include <memory>

class Beeper;
class ErrorReport;
class GlideClock;
class WindowGeometry;

// What a front-end's window needs from outside, so that tests can count
// beeps, record reports, stop the program and drive the glide without a
// screen. `Window` is how the toolkit names the window to measure.
template <class Window>
struct FormSeams {
    Beeper& beeper;
    ErrorReport& errorReport;
    GlideClock& glideClock;
    std::function<void(int status)> endProgram;
    std::function<std::unique_ptr<WindowGeometry>(Window window)> geometry;
};
