#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class ComposeTransfer;
class QTimer;
class Settings;

// Takes mailto links and turns each into a new message on the compose page, one a second
// (`Timer2`), in the order they came. The launcher hands links in whole (handIn(), from the
// program's local socket); anything else may write one into [Settings] `mailto`, which each tick
// reads and clears when no handed-in link waits. That key holds at most 298 characters, so a
// link is only ever put there when it fits: one still waiting when the program closes.
//
// While it runs, the receiver holds a lock on "<settings file>.receiver", so a launcher can tell
// that a running program will take the address (and need not start one). The kernel drops the
// lock when the process ends, however it ends.
class MailtoHandOver : public QObject {
    Q_OBJECT
public:
    MailtoHandOver(Settings &settings, ComposeTransfer &transfer, QObject *parent);
    ~MailtoHandOver() override;

    // Starts the once-a-second poll and announces the receiver.
    void start();
    // The program is closing: no tick takes an address any more, and start() does nothing. A
    // link still waiting goes into the key for the next start when it fits there whole.
    void stop();
    // Queues a link handed over whole; false once the program is closing.
    bool handIn(const QString &link);
    QTimer *timer2() const { return m_timer; }

    // True while a program using `settingsPath` takes mailto addresses.
    static bool receiverRunning(const QString &settingsPath);

    static constexpr int intervalMs = 1000;

private:
    void Timer2_Timer();
    void keepForNextStart(const QString &link);

    Settings &m_settings;
    ComposeTransfer &m_transfer;
    QTimer *m_timer;
    QStringList m_waiting; // handed-in links, oldest first
    int m_lockFd = -1;
    bool m_stopped = false;
};
