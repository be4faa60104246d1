#include "base/first_start.h"
#include "base/settings.h"
#include "base/settings_problem.h"
#include "base/startup_profile.h"
#include "shell/box_messages.h"
#include "shell/main_form.h"
#include "shell/widget_map.h"
#include "shell/window_placement.h"
#include "single_instance.h"
#include "termination_signals.h"
#include "warm_up.h"
#include "webpages/mailto_address.h"
#include "webpages/web_profile.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QIcon>
#include <QProcess>
#include <QTextStream>
#include <QThread>

#include <unistd.h>

namespace {

void addOptions(QCommandLineParser &parser) {
    parser.setApplicationDescription(QStringLiteral("Corvalis: a desktop companion for web mail"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("settings"), QStringLiteral("Use FILE as the settings file."),
                      QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("no-splash"), QStringLiteral("Start without the splash window.")});
    parser.addOption({QStringLiteral("quit-after-start"),
                      QStringLiteral("Close normally as soon as the welcome page has loaded.")});
    parser.addOption({QStringLiteral("startup-profile"),
                      QStringLiteral("Print on standard error how long each start-up step took.")});
    parser.addOption({QStringLiteral("mailto"),
                      QStringLiteral("Hand URL (a mailto: link) to Corvalis, "
                                     "starting it when it is not running."),
                      QStringLiteral("URL")});
}

bool wantsMailtoHandOver(int argc, char **argv) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--mailto" || argument.startsWith("--mailto="))
            return true;
    }
    return false;
}

// Read before QApplication exists, so that its own start is measured too.
bool wantsStartupProfile(int argc, char **argv) {
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--startup-profile")
            return true;
    }
    return false;
}

// A program just started may take this long before it listens.
constexpr int programStartMs = 30000;

// Starts Corvalis on the launcher's settings file. The program outlives the launcher, and
// whatever read the launcher's output may be gone by the time it writes a line.
bool startProgram(const QCommandLineParser &parser, const Settings &settings) {
    QStringList arguments{QStringLiteral("--settings"), settings.filePath()};
    for (const char *option : {"no-splash", "quit-after-start"}) {
        if (parser.isSet(QString::fromLatin1(option)))
            arguments << QStringLiteral("--") + QString::fromLatin1(option);
    }
    QProcess program;
    program.setProgram(QCoreApplication::applicationFilePath());
    program.setArguments(arguments);
    program.setStandardInputFile(QProcess::nullDevice());
    program.setStandardOutputFile(QProcess::nullDevice());
    program.setStandardErrorFile(QProcess::nullDevice());
    return program.startDetached();
}

// The launcher a desktop runs for a mailto link: it needs no window. The whole link goes over
// the program's local socket; without a program, one is started with the same options and takes
// the link once it listens. The launcher reports success only when the program holds the whole
// link; what it cannot hand over is named on standard error, with exit status 2.
int handOverMailto(QCoreApplication &app) {
    QCommandLineParser parser;
    addOptions(parser);
    parser.process(app);
    Settings settings(Settings::locate(app.arguments()));
    const QString text = MailtoAddress::handOverText(parser.value(QStringLiteral("mailto")));
    const auto refuse = [&text](const char *why) {
        QTextStream(stderr) << "Corvalis: could not hand over mailto:" << text.left(200)
                            << (text.size() > 200 ? "..." : "") << ": " << why << "\n";
        return 2;
    };
    if (text.isEmpty())
        return SingleInstance::programPresent(settings.filePath()) || startProgram(parser, settings) ? 0 : 1;
    const QDeadlineTimer deadline(programStartMs);
    // A program started a moment ago does not hold its lock yet: it is not started twice.
    QDeadlineTimer mayStart(0);
    for (;;) {
        switch (SingleInstance::handOver(settings.filePath(), text)) {
        case SingleInstance::Delivery::Taken:
            return 0;
        case SingleInstance::Delivery::Refused:
            return refuse("the link is too long");
        case SingleInstance::Delivery::NoProgram:
            break;
        }
        if (deadline.hasExpired())
            return refuse("Corvalis did not take it in time");
        if (mayStart.hasExpired() && !SingleInstance::programPresent(settings.filePath())) {
            if (!startProgram(parser, settings))
                return refuse("Corvalis could not be started");
            mayStart.setRemainingTime(5000);
        }
        QThread::msleep(100);
    }
}

// Help and the version are text on standard output: they need no display.
bool wantsTextOnly(int argc, char **argv) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "-h" || argument == "--help" || argument == "--help-all" || argument == "-v" ||
            argument == "--version")
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char **argv) {
    if (wantsTextOnly(argc, argv)) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Corvalis"));
        QCoreApplication::setApplicationVersion(QStringLiteral(CORVALIS_VERSION));
        QCommandLineParser parser;
        addOptions(parser);
        parser.process(app); // prints and ends the program
        return 0;
    }
    if (wantsMailtoHandOver(argc, argv)) {
        QCoreApplication app(argc, argv);
        return handOverMailto(app);
    }
    if (wantsStartupProfile(argc, argv))
        StartupProfile::enable();
    StartupProfile::mark("main");
    TerminationSignals::catchSignals();
    // Chromium's sandbox cannot run as root; an administrator's session still
    // gets its panes.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvalis"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvalis"));
    QApplication::setApplicationVersion(QStringLiteral(CORVALIS_VERSION));
    // The desktop matches the windows to the menu entry, and its icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("corvalis"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("corvalis")));
    StartupProfile::mark("application");

    QCommandLineParser parser;
    addOptions(parser);
    parser.process(app);

    Settings settings(Settings::locate(app.arguments()));
    SingleInstance instance(settings.filePath());
    if (instance.otherRunning())
        return 0;
    WarmUp::startMeanwhile();
    // Installed from a package, the program sets up its own main directory at the first start.
    const auto firstStart =
        FirstStart::ensureMainDir(settings, FirstStart::dataDirBeside(QCoreApplication::applicationDirPath()),
                                  FirstStart::defaultMainDir());
    if (!firstStart.error.isEmpty())
        QTextStream(stderr) << "Corvalis: no main directory: " << firstStart.error << '\n';
    MainForm::Options options;
    options.showSplash = !parser.isSet(QStringLiteral("no-splash"));
    options.quitAfterStart = parser.isSet(QStringLiteral("quit-after-start"));

    WidgetMap::startIfAsked();
    WindowPlacement::install();
    int status = 0;
    {
        BoxMessages messages(nullptr);
        MainForm window(settings, messages, options);
        StartupProfile::mark("window built");
        messages.setParentWidget(&window);
        instance.serve(window);
        TerminationSignals::closeOnSignal(window);
        window.Form_Load();
        // Told once: the program runs on, on its defaults, and keeps the file as it is.
        if (const std::optional<QString> problem = settingsProblem(settings))
            messages.inform(*problem);
        StartupProfile::mark("window shown");
        status = app.exec();
        StartupProfile::mark("event loop ended");
    }
    // The window and its pages are gone: the profile writes out its cookies as it ends.
    WebProfile::close();
    return status;
}
