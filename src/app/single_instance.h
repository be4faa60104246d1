#pragma once

#include <QLocalServer>
#include <QString>

class QWidget;

// One program per settings file. The first start holds a lock on "<settings file>.instance" and
// listens on a local socket named after the settings file; a later start finds the lock held,
// asks the running program through the socket to bring its window to the front, and ends. The
// kernel drops the lock when the process ends, however it ends.
class SingleInstance {
public:
    explicit SingleInstance(const QString &settingsPath);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // True when another program uses the settings file; it has been asked to come forward.
    bool otherRunning();
    // Brings `window` to the front whenever a later start asks.
    void raiseOnRequest(QWidget &window);

private:
    QString m_settingsPath;
    QString m_socketName;
    int m_lockFd = -1;
    QLocalServer m_server;
};
