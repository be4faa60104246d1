#pragma once

#include <QLocalServer>
#include <QString>

class MainForm;

// One program per settings file. The first start holds a lock on "<settings file>.instance" and
// listens on a local socket named after the settings file, in a folder only this user may enter
// (InstanceSocket), talking only to programs of the same user; a later start finds the lock held,
// asks the running program through the socket to bring its window to the front, and ends. The
// kernel drops the lock when the process ends, however it ends.
//
// The same socket takes mailto links from the launcher, whole: a link of any length goes over
// it with its length ahead, and the program answers once it holds all of it.
class SingleInstance {
public:
    explicit SingleInstance(const QString &settingsPath);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // Takes the lock when it is free. True when another program uses the settings file; it has
    // been asked to come forward.
    bool otherRunning();
    // Listens from now on: brings `window` to the front whenever a later start asks, and hands
    // the mailto links that come in to its hand-over.
    void serve(MainForm &window);

    enum class Delivery {
        Taken,     // the program holds the whole link
        NoProgram, // nobody listens, or the program closed without taking it: try again later
        Refused,   // the program will never take it (too long)
    };
    // The launcher's side: hands `link` to the program listening for `settingsPath`.
    static Delivery handOver(const QString &settingsPath, const QString &link);
    // True while a program on `settingsPath` runs or is starting (it holds the lock).
    static bool programPresent(const QString &settingsPath);

private:
    void onConnection(MainForm &window);

    QString m_settingsPath;
    QString m_socketName;
    int m_lockFd = -1;
    QLocalServer m_server;
};
