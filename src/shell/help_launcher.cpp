#include "shell/help_launcher.h"

#include "shell/startup.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

QString HelpLauncher::pagePath(const QString &mainDir, Topic topic) {
    switch (topic) {
    case Topic::DefaultMailProgram:
        return dataPath(mainDir, QStringLiteral("help/mailto.html"));
    case Topic::Templates:
        return dataPath(mainDir, QStringLiteral("help/templates.html"));
    case Topic::MailMerge:
        return dataPath(mainDir, QStringLiteral("help/merge.html"));
    case Topic::Contents:
        break;
    }
    return dataPath(mainDir, QStringLiteral("help/index.html"));
}

bool HelpLauncher::open(const QString &mainDir, Topic topic) {
    const QFileInfo page(pagePath(mainDir, topic));
    if (!page.exists())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(page.absoluteFilePath()));
}
