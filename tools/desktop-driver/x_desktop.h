#pragma once

#include <QPoint>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A private X server (Xvfb, on a display number it picks itself) with the openbox window
// manager on it and a session bus beside it on which, as on a plain openbox desktop, no keyring
// answers (the bus starts no services), for as long as the object lives. Each is stopped by its
// own process id.
class XDesktop {
public:
    explicit XDesktop(QSize screen = {1600, 1000});
    ~XDesktop();
    XDesktop(const XDesktop &) = delete;
    XDesktop &operator=(const XDesktop &) = delete;

    // The first of the programs a desktop needs that is not installed; empty when all are.
    static QString missingProgram();

    bool started() const { return !m_display.isEmpty(); }
    QString display() const { return m_display; } // ":N"
    QSize screen() const { return m_screen; }
    QString sessionBus() const { return m_busAddress; }

    // Runs an X tool (xdotool, xprop, import) on this display and returns what it printed.
    QString run(const QString &program, const QStringList &arguments) const;
    // Real input: the pointer moved to `point` and clicked; keys as xdotool names them
    // ("ctrl+a Return"); text typed key by key.
    void click(QPoint point, int button = 1) const;
    void key(const QString &keys) const;
    void type(const QString &text) const;
    // The window that has the focus, by its X id; 0 when none.
    quint64 activeWindow() const;
    // Client windows from the bottom of the stack to its top, as the window manager keeps them.
    QList<quint64> stacking() const;
    // The window `id` is a transient of (its owner), 0 when none.
    quint64 transientFor(quint64 id) const;
    // The whole screen, as a PNG.
    void screenshot(const QString &path) const;

private:
    QSize m_screen;
    QString m_display;
    QString m_busAddress;
    QTemporaryDir m_busConfig;
    QProcess m_bus;
    QProcess m_xvfb;
    QProcess m_openbox;
};
