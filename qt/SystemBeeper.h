#pragma once

#include "Beeper.h"

// The platform's own beep: the X11 bell, or what the desktop makes of it.
class SystemBeeper : public Beeper {
public:
    void beep() override;
};
