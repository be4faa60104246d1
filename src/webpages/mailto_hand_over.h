#pragma once

#include <QObject>
#include <QString>

class ComposeTransfer;
class QTimer;
class Settings;

// Takes mailto addresses handed in through the settings file: an outside launcher writes
// [Settings] `mailto`, and once a second (`Timer2`) the key is read, cleared and turned into a
// new message on the compose page.
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
    // The program is closing: no tick takes an address any more, and start() does nothing.
    void stop();
    QTimer *timer2() const { return m_timer; }

    // True while a program using `settingsPath` takes mailto addresses.
    static bool receiverRunning(const QString &settingsPath);

    static constexpr int intervalMs = 1000;

private:
    void Timer2_Timer();

    Settings &m_settings;
    ComposeTransfer &m_transfer;
    QTimer *m_timer;
    int m_lockFd = -1;
    bool m_stopped = false;
};
