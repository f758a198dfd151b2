#pragma once

#include "Beeper.h"

// The system's default sound, as the user has set it up for a plain beep.
class MessageBeeper : public Beeper {
public:
    void beep() override;
};
