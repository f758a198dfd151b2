#pragma once

#include "Beeper.h"

#include <memory>

class SoundThemeBell;

// The platform's own beep: the X11 bell, or where the window system has no
// bell (Qt's Wayland platform among them), the sound theme's bell.
class SystemBeeper : public Beeper {
public:
    SystemBeeper();
    ~SystemBeeper() override;
    void beep() override;

private:
    std::unique_ptr<SoundThemeBell> soundBell_;
};
