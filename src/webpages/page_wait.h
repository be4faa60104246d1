#pragma once

#include <QObject>

#include <functional>

class QEventLoop;

// The one way the program waits on its user-interface thread for a page: until a condition
// holds, the wait is cancelled, a time limit passes, or the application quits. Between checks
// the wait sleeps in a local event loop (other events run, the wait costs no CPU) and wakes on
// its poll timer or on a signal named with wakeOn().
//
// A quitting application makes every event loop return at once, and every later one too; a
// wait that noticed that ends as cancelled, and so does every wait after it, so no loop can
// keep the program alive once it is closing.
class PageWait : public QObject {
    Q_OBJECT
public:
    enum class Outcome { Met, Cancelled, TimedOut };
    static constexpr int noTimeout = 0;
    static constexpr int defaultPollMs = 200;

    explicit PageWait(QObject *parent = nullptr);

    // Checks `condition` at once, then after every wake-up. A cancel (or quit) that arrives while
    // the condition runs (it may look into a page, letting events run) wins over what it found.
    // With `timeoutMs` above 0, the wait gives up after that long.
    Outcome until(const std::function<bool()> &condition, int timeoutMs = noTimeout);
    // Lets `ms` pass with events running: Met when the time has passed.
    Outcome sleep(int ms);

    // The condition is checked again as soon as `sender` emits `signal`.
    template<typename Signal>
    void wakeOn(const typename QtPrivate::FunctionPointer<Signal>::Object *sender, Signal signal) {
        connect(sender, signal, this, &PageWait::wake);
    }
    // How long the wait sleeps between checks when nothing wakes it.
    void setPollInterval(int ms) { m_pollMs = ms; }

    bool isCancelled() const { return m_cancelled; }
    // Ends the running wait and every later one as Cancelled, until reset().
    void cancel();
    void reset() { m_cancelled = false; }
    // Checks the condition now instead of at the next poll.
    void wake();

    // True once a wait has seen the application quit.
    static bool applicationQuitting();

private:
    void sleepFor(int ms);

    int m_pollMs = defaultPollMs;
    bool m_cancelled = false;
    bool m_wakePending = false;
    QEventLoop *m_loop = nullptr;
};
