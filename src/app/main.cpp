#include "shell/box_messages.h"
#include "shell/main_form.h"
#include "shell/settings.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

// SIGTERM and SIGINT close the window as its close box does, so a logout or Ctrl+C
// still runs the shutdown and writes the settings.
void closeOnTerminationSignals(QWidget &window) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char byte;
        [[maybe_unused]] const auto read = ::read(signalPipe[0], &byte, 1);
        window.close();
    });
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

} // namespace

int main(int argc, char **argv) {
    // Chromium's sandbox cannot run as root; an administrator's session still gets its panes.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvalis"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvalis"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Corvalis: a desktop companion for web mail"));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("settings"), QStringLiteral("Use FILE as the settings file."), QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("no-splash"), QStringLiteral("Start without the splash window.")});
    parser.addOption({QStringLiteral("quit-after-start"),
                      QStringLiteral("Close normally as soon as the welcome page has loaded.")});
    parser.process(app);

    Settings settings(Settings::locate(app.arguments()));
    MainForm::Options options;
    options.showSplash = !parser.isSet(QStringLiteral("no-splash"));
    options.quitAfterStart = parser.isSet(QStringLiteral("quit-after-start"));

    BoxMessages messages(nullptr);
    MainForm window(settings, messages, options);
    messages.setParentWidget(&window);
    closeOnTerminationSignals(window);
    window.Form_Load();
    return app.exec();
}
