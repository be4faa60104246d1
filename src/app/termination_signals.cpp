#include "termination_signals.h"

#include "shell/close_request.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <chrono>
#include <csignal>
#include <mutex>
#include <thread>

#include <sys/socket.h>
#include <unistd.h>

namespace {

// The handler only writes a byte; the event loop reads it and closes the window (and any dialog
// open over it).
int signalSockets[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalSockets[1], &byte, 1);
}

// How long after a signal the process may live.
constexpr auto exitWithin = std::chrono::seconds(2);
std::atomic<bool> shutDown{false};

// The process ends within `exitWithin` of the signal, whatever is pending: a wait, a page that
// never answers, a keyring job that holds the event loop or a lock that keeps it from quitting.
void endInTime() {
    static std::once_flag started;
    std::call_once(started, [] {
        std::thread([] {
            std::this_thread::sleep_for(exitWithin);
            if (!shutDown)
                QTextStream(stderr) << "Corvalis: the shutdown did not finish in time after the signal\n";
            std::_Exit(shutDown ? 0 : 1);
        }).detach();
    });
}

// Once the window has closed (its shutdown has run), the program quits: it does not wait for the
// last window to count as closed, which another window or a pending job can put off.
void quitOnceClosed(QWidget &window) {
    auto *poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, &window, [&window] {
        // Shown once and hidden since: a window never shown (start-up still running) has not closed.
        if (window.testAttribute(Qt::WA_WState_ExplicitShowHide) && window.isHidden()) {
            shutDown = true;
            QCoreApplication::exit(0);
        }
    });
    poll->start(50);
}

} // namespace

void TerminationSignals::catchSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalSockets) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

void TerminationSignals::closeOnSignal(QWidget &window) {
    if (signalSockets[0] < 0)
        return;
    auto *notifier = new QSocketNotifier(signalSockets[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char byte;
        [[maybe_unused]] const auto read = ::read(signalSockets[0], &byte, 1);
        endInTime();
        quitOnceClosed(window);
        CloseRequest::closeWithDialogs(window);
    });
}
