#include "Startup.h"

#include "Form1.h"
#include "MessageBoxErrorReport.h"
#include "ScreenWindowGeometry.h"
#include "SystemBeeper.h"

#include <QApplication>
#include <QScreen>

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

// Centred on the screen it opens on, as the form was designed to start.
void centre(QWidget& window)
{
    if (const QScreen* screen = window.screen()) {
        QRect area(QPoint(), window.size());
        area.moveCenter(screen->geometry().center());
        window.move(area.topLeft());
    }
}

} // namespace

void Startup::describeApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Marrowvale"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MARROWVALE_VERSION));
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
    Form1 form({beeper, errorReport, [](int status) { QCoreApplication::exit(status); },
                [](QWidget& window) { return std::make_unique<ScreenWindowGeometry>(window); }});
    errorReport.setParent(&form);
    // A session that ends closes the window the way a user would.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form, [&form] { form.close(); });

    form.load();
    centre(form);
    form.show();
    return QApplication::exec();
}
