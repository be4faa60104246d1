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
// a settings file naming `serviceUrl` (none: the welcome page asks for it), started on the
// desktop's display and session bus and driven from outside. Its window map (the
// CORVALIS_WIDGET_MAP file) says where things are.
class CorvalisRun {
public:
    struct Window {
        quint64 id = 0;
        QString title;
        QRect frame, client;
        bool active = false;
        QString kind; // the class: "MainForm", "QMessageBox" …
    };
    struct Control {
        QRect place;
        QString text; // a field's or label's text, "ticked"/"unticked", a web pane's document address
        bool enabled = true;
        bool busy = false; // a web pane still loading its page
    };

    CorvalisRun(const XDesktop &desktop, const QString &serviceUrl, const QByteArray &extraIni = {});
    ~CorvalisRun();

    // Starts the program and waits for its main window; again after stop() for a restart.
    bool start();
    // Ends the program as the desktop's session end does (a termination signal) and waits.
    bool stop();

    QString mainDir() const { return m_home.filePath(QStringLiteral("main")) + QLatin1Char('/'); }
    QString iniPath() const { return m_home.filePath(QStringLiteral("corvalis.ini")); }
    // Adds lines ("key=value", CR LF apart) to the settings file's [Settings] section, before a start.
    bool addSettings(const QString &lines) const;

    std::vector<Window> windows() const;
    // The window of that title, or of that class ("MainForm", "QMessageBox").
    std::optional<Window> window(const QString &titleOrKind) const;
    // The control `key` (an object name, "button:Caption", "tab:Caption", "menu:Caption",
    // "action:name", "Name:item:Text"; a trailing '*' matches the start) of window(windowTitle),
    // of any when empty.
    std::optional<Control> control(const QString &key, const QString &windowTitle = {}) const;

    // Waits until `condition` holds; false when it did not within `timeoutMs`.
    static bool waitFor(const std::function<bool()> &condition, int timeoutMs = 60000);
    // Waits until the window manager has framed the window of that title (or class).
    bool waitForWindow(const QString &title) const;
    bool waitForEnabled(const QString &key, const QString &windowTitle = {}) const;
    // Waits until the web pane `key` (of window(windowTitle), of any when empty) has loaded a page
    // whose address starts with `url`.
    bool waitForPage(const QString &key, const QString &url, const QString &windowTitle = {}) const;
    // Waits for a message box whose text contains `text`.
    std::optional<Window> waitForBox(const QString &text) const;
    // Waits for the control to stay in place, then clicks its middle with the real pointer.
    bool click(const QString &key, const QString &windowTitle = {}) const;
    // Clicks the text field `key`, selects what it holds and types `text` over it.
    bool typeInto(const QString &key, const QString &text) const;
    // Closes the window of that title (or class) as a user does, with the window manager's
    // Alt+F4, and waits until it has gone unless told not to (it asks a question first, say).
    bool closeWindow(const QString &titleOrKind, bool waitUntilGone = true) const;

private:
    const XDesktop &m_desktop;
    QTemporaryDir m_home;
    QProcess m_program;
};
