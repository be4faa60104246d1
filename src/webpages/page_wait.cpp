#include "webpages/page_wait.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>

namespace {

// A wait's own wake-ups leave its event loop with this code. The application's quit ends every
// running loop with its exit code (0) and makes every later one return -1 at once.
constexpr int wokenCode = 1;
bool quitSeen = false;

} // namespace

PageWait::PageWait(QObject *parent)
    : QObject(parent) {}

bool PageWait::applicationQuitting() {
    return quitSeen;
}

PageWait::Outcome PageWait::until(const std::function<bool()> &condition, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    const auto ended = [this] { return m_cancelled || quitSeen; };
    for (;;) {
        if (ended())
            return Outcome::Cancelled;
        m_wakePending = false;
        const bool met = condition();
        if (ended())
            return Outcome::Cancelled;
        if (met)
            return Outcome::Met;
        qint64 sleepMs = m_pollMs;
        if (timeoutMs > noTimeout) {
            const qint64 left = timeoutMs - clock.elapsed();
            if (left <= 0)
                return Outcome::TimedOut;
            sleepMs = std::min(sleepMs, left);
        }
        // A wake-up that came while the condition ran is not slept through.
        if (!m_wakePending)
            sleepFor(int(sleepMs));
    }
}

PageWait::Outcome PageWait::sleep(int ms) {
    const Outcome outcome = until([] { return false; }, std::max(ms, 1));
    return outcome == Outcome::TimedOut ? Outcome::Met : outcome;
}

void PageWait::sleepFor(int ms) {
    QEventLoop loop;
    QTimer poll;
    poll.setSingleShot(true);
    connect(&poll, &QTimer::timeout, &loop, [&loop] { loop.exit(wokenCode); });
    // A wait started from inside this one's sleep (its condition, or an event) has a loop of its own.
    const QScopedValueRollback current(m_loop, &loop);
    poll.start(std::max(ms, 0));
    if (loop.exec() != wokenCode)
        quitSeen = true;
}

void PageWait::wake() {
    m_wakePending = true;
    if (m_loop)
        m_loop->exit(wokenCode);
}

void PageWait::cancel() {
    m_cancelled = true;
    wake();
}
