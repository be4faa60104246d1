#pragma once

#include "x_desktop.h"

#include <QByteArray>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <optional>
#include <vector>

// The corvalis program as a user meets it: a home of its own with the main directory laid out,
// a settings file naming `serviceUrl` (none: the welcome page asks for it), started on the desktop's display
// and session bus and driven from outside. Its window map (the CORVALIS_WIDGET_MAP file) says where things
// are.
class CorvalisRun {
public:
    struct Window {
        quint64 id = 0;
        QString title;
        QRect frame, client;
        bool active = false;
        QString kind; // the class: "MainForm", "QMessageBox" …
    };

    CorvalisRun(const XDesktop &desktop, const QString &serviceUrl, const QByteArray &extraIni = {});
    ~CorvalisRun();

    // Starts the program and waits for its main window; again after stop() for a restart.
    bool start();
    // Ends the program as the desktop's session end does (a termination signal) and waits.
    bool stop();

    QString mainDir() const { return m_home.filePath(QStringLiteral("main")) + QLatin1Char('/'); }
    QString iniPath() const { return m_home.filePath(QStringLiteral("corvalis.ini")); }

    struct Control {
        QRect place;
        QString text; // a text field's or label's text, "ticked" or "unticked" for a check box
        bool enabled = true;
    };

    std::vector<Window> windows() const;
    // The window of that title, or of that class ("MainForm", "QMessageBox").
    std::optional<Window> window(const QString &titleOrKind) const;
    // The control `key` (an object name, "button:Caption", "tab:Caption", "menu:Caption",
    // "Name:item:Text"; a trailing '*' matches the start) of window(windowTitle), of any when empty.
    std::optional<Control> control(const QString &key, const QString &windowTitle = {}) const;

    // Waits until `condition` holds; false when it did not within `timeoutMs`.
    static bool waitFor(const std::function<bool()> &condition, int timeoutMs = 20000);
    bool waitForWindow(const QString &title, int timeoutMs = 20000) const;
    // Waits until the control shows a text that starts with `text`.
    bool waitForText(const QString &key, const QString &text, const QString &windowTitle = {}) const;
    bool waitForEnabled(const QString &key, const QString &windowTitle = {}) const;
    // Waits for the control, then clicks its middle with the real pointer.
    bool click(const QString &key, const QString &windowTitle = {}, int button = 1) const;

private:
    const XDesktop &m_desktop;
    QTemporaryDir m_home;
    QProcess m_program;
};
