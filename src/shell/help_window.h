#pragma once

#include "shell/help_launcher.h"

#include <QWidget>

class QTextBrowser;
class QToolButton;

// The program's own viewer for its help pages, for a desktop that has no browser to open
// them in: back, forward and the contents page, links followed inside it.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // Help on `topic`: in the desktop's browser where there is one and it starts, else in this
    // window, made on first use as a child of `owner` (or of the dialog waiting for an answer, so
    // that it takes input) and raised after.
    static void showTopic(QWidget &owner, const QString &mainDir, HelpLauncher::Topic topic);

private:
    static void showInWindow(QWidget &owner, const QString &mainDir, HelpLauncher::Topic topic);
    HelpWindow(const QString &contentsPage, QWidget *owner);
    void open(const QString &page);

    QString m_contentsPage;
    QTextBrowser *m_browser;
};
