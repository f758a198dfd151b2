#include "SystemBeeper.h"

#include "SoundThemeBell.h"

#include <QApplication>

SystemBeeper::SystemBeeper() = default;

SystemBeeper::~SystemBeeper() = default;

void SystemBeeper::beep()
{
    // Qt rings the X server's bell. Its other Linux platforms ring nothing:
    // the Wayland plugin (6.4) has no bell, so a refused key would pass
    // unanswered there.
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        QApplication::beep();
        return;
    }
    if (!soundBell_)
        soundBell_ = std::make_unique<SoundThemeBell>();
    if (!soundBell_->ring())
        QApplication::beep();
}
