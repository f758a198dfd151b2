#pragma once

#include <canberra.h>

// The bell of the desktop's sound theme, played through libcanberra. The
// library is loaded here, not linked: only a platform without a bell of its
// own needs it, and there only once a bell rings.
class SoundThemeBell {
public:
    SoundThemeBell();
    ~SoundThemeBell();
    SoundThemeBell(const SoundThemeBell&) = delete;
    SoundThemeBell& operator=(const SoundThemeBell&) = delete;

    // Starts the bell sound and returns at once; false when it cannot be
    // played (no libcanberra, no sound device, no theme with a bell).
    bool ring();

private:
    ca_context* context_ = nullptr;
    decltype(&ca_context_play) play_ = nullptr;
    decltype(&ca_context_destroy) destroy_ = nullptr;
};
