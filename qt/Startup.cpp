#include "Startup.h"

#include "Form1.h"
#include "MessageBoxErrorReport.h"
#include "QtWindowGeometry.h"
#include "SteadyGlideClock.h"
#include "SystemBeeper.h"
#include "Version.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <cstdlib>
#include <thread>

#ifdef MARROWVALE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace {

constexpr int statusBadCommandLine = 2;

struct QtOption {
    const char* name;
    const char* valueName; // nullptr for a switch
};

// Qt takes these out of argv itself (QGuiApplication, QApplication and the
// xcb plugin), but only while QApplication is being built, and building it
// needs a display. The parser learns them so that --help, --version and a
// mistyped option are answered before that, without a display, and so that
// it knows which of them swallow the next argument.
constexpr QtOption hiddenQtOptions[] = {
    {"platformpluginpath", "path"}, {"platformtheme", "theme"}, {"plugin", "plugin"},
    {"qwindowgeometry", "geometry"}, {"qwindowicon", "icon"}, {"qwindowtitle", "title"},
    {"session", "session"}, {"geometry", "geometry"}, {"title", "title"},
    {"icon", "icon"}, {"name", "name"}, {"visual", "id"},
    {"style", "style"}, {"stylesheet", "file"}, {"reverse", nullptr},
    {"widgetcount", nullptr}, {"nograb", nullptr}, {"dograb", nullptr},
};

const QString helpName = QStringLiteral("help");
const QString versionName = QStringLiteral("version");
const QString platformName = QStringLiteral("platform");
const QString displayName = QStringLiteral("display");

void describeCommandLine(QCommandLineParser& parser)
{
    // Qt writes its own options with one dash; this also takes -h and -v
    // whole instead of as bundles of one-letter options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Converts between bitcoin and money at a price you type in.\n"
                       "Qt's other options, such as -style and -reverse, are accepted too."));
    parser.addOption({{QStringLiteral("h"), helpName}, QStringLiteral("Show this help and exit.")});
    parser.addOption({{QStringLiteral("v"), versionName}, QStringLiteral("Show the name and version and exit.")});
    parser.addOption({platformName, QStringLiteral("Qt platform plugin: xcb, wayland or offscreen."),
                      QStringLiteral("name")});
    parser.addOption({displayName, QStringLiteral("X display to open instead of $DISPLAY."),
                      QStringLiteral("display")});
    for (const QtOption& qt : hiddenQtOptions) {
        QCommandLineOption option(QString::fromLatin1(qt.name), QString(),
                                  qt.valueName ? QString::fromLatin1(qt.valueName) : QString());
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// Answers a command line that asks for no window. Runs under a
// QCoreApplication, which needs no display and names the program, as it was
// started, in the usage line.
int answerWithoutWindow(int argc, char** argv, const QCommandLineParser& parser, const QString& error)
{
    QCoreApplication core(argc, argv);
    if (!error.isEmpty()) {
        print(stderr, QStringLiteral("marrowvale: %1\n").arg(error) + parser.helpText());
        return statusBadCommandLine;
    }
    if (parser.isSet(helpName)) {
        print(stdout, parser.helpText());
        return 0;
    }
    print(stdout, QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n');
    return 0;
}

// Without a display Qt aborts with a message about platform plugins that
// does not say what to do; this one does.
bool displayAvailable(const QCommandLineParser& parser)
{
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM") || parser.isSet(platformName)
        || parser.isSet(displayName);
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
    describeApplication();
    QCommandLineParser parser;
    describeCommandLine(parser);
    QString error;
    if (!parser.parse(argumentsOf(argc, argv)))
        error = parser.errorText();
    else if (!parser.positionalArguments().isEmpty())
        error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst());
    if (!error.isEmpty() || parser.isSet(helpName) || parser.isSet(versionName))
        return answerWithoutWindow(argc, argv, parser, error);

    if (!displayAvailable(parser)) {
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
    // The window ends the program itself, after its glide or an error report.
    // A session manager's requests to save, at a checkpoint as before a
    // logout, leave it alone; the session's end reaches it as Qt's
    // application quit, which closes every window, so it glides away then.
    QApplication::setQuitOnLastWindowClosed(false);

    SystemBeeper beeper;
    MessageBoxErrorReport errorReport;
    SteadyGlideClock glideClock;
    Form1 form({beeper, errorReport, glideClock, [](int status) { QCoreApplication::exit(status); },
                [](QWidget& window) { return std::make_unique<QtWindowGeometry>(window); }});
    errorReport.setOwner(&form);
    form.load();
    form.showCentred();
    return QApplication::exec();
}
