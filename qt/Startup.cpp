#include "Startup.h"

#include "Form1.h"
#include "MessageBoxErrorReport.h"
#include "QtWindowGeometry.h"
#include "SteadyGlideClock.h"
#include "SystemBeeper.h"
#include "Version.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <thread>

#ifdef MARROWVALE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace {

// Without a display Qt aborts with a message about platform plugins that
// does not say what to do; this one does.
bool displayAvailable()
{
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

} // namespace

void Startup::describeApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral(MARROWVALE_NAME));
    QCoreApplication::setApplicationVersion(QStringLiteral(MARROWVALE_VERSION_TEXT));
    QGuiApplication::setDesktopFileName(QStringLiteral(MARROWVALE_APP_ID));
}

int Startup::run(int argc, char** argv)
{
    if (!displayAvailable()) {
        std::fputs("marrowvale: no display found (DISPLAY and WAYLAND_DISPLAY are not set).\n"
                   "Start it from a desktop session, or without one: xvfb-run marrowvale\n",
                   stderr);
        return 1;
    }
#ifdef MARROWVALE_FONTCONFIG
    // The first text a widget measures makes fontconfig parse its whole
    // configuration, about a quarter of start-up here. It needs nothing from
    // Qt, so it runs while QApplication connects to the display.
    std::thread fontconfigWarmUp([] { FcInit(); });
    QApplication app(argc, argv);
    fontconfigWarmUp.join();
#else
    QApplication app(argc, argv);
#endif
    describeApplication();
    // The window ends the program itself, after its glide or an error report.
    QApplication::setQuitOnLastWindowClosed(false);

    SystemBeeper beeper;
    MessageBoxErrorReport errorReport;
    SteadyGlideClock glideClock;
    Form1 form({beeper, errorReport, glideClock, [](int status) { QCoreApplication::exit(status); },
                [](QWidget& window) { return std::make_unique<QtWindowGeometry>(window); }});
    errorReport.setOwner(&form);
    form.followSession(app);
    form.load();
    form.showCentred();
    return QApplication::exec();
}
