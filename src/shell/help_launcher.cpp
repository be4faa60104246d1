#include "shell/help_launcher.h"

#include "shell/startup.h"
#include "shell/tab_navigator.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

struct TopicPage {
    HelpLauncher::Topic topic;
    const char *page;
};

constexpr TopicPage pages[] = {
    {HelpLauncher::Topic::Contents, "index.html"},
    {HelpLauncher::Topic::DefaultMailProgram, "mailto.html"},
    {HelpLauncher::Topic::Inbox, "inbox.html"},
    {HelpLauncher::Topic::Compose, "compose.html"},
    {HelpLauncher::Topic::SavedFolders, "saved.html"},
    {HelpLauncher::Topic::Calendar, "calendar.html"},
    {HelpLauncher::Topic::Settings, "settings.html"},
    {HelpLauncher::Topic::AddressBooks, "addressbook.html"},
    {HelpLauncher::Topic::Editor, "editor.html"},
    {HelpLauncher::Topic::Templates, "templates.html"},
    {HelpLauncher::Topic::MailMerge, "merge.html"},
};

} // namespace

std::vector<HelpLauncher::Topic> HelpLauncher::allTopics() {
    std::vector<Topic> all;
    for (const TopicPage &entry : pages)
        all.push_back(entry.topic);
    return all;
}

HelpLauncher::Topic HelpLauncher::topicForTab(int tab) {
    switch (tab) {
    case TabNavigator::InboxLogin:
        return Topic::Inbox;
    case TabNavigator::Compose:
        return Topic::Compose;
    case TabNavigator::SavedFolders:
        return Topic::SavedFolders;
    case TabNavigator::Calendar:
        return Topic::Calendar;
    case TabNavigator::SettingsTab:
        return Topic::Settings;
    default:
        return Topic::Contents;
    }
}

QString HelpLauncher::pageName(Topic topic) {
    for (const TopicPage &entry : pages) {
        if (entry.topic == topic)
            return QString::fromLatin1(entry.page);
    }
    return QStringLiteral("index.html");
}

QString HelpLauncher::pagePath(const QString &mainDir, Topic topic) {
    return dataPath(mainDir, QStringLiteral("help/") + pageName(topic));
}

bool HelpLauncher::desktopHasBrowser() {
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
        return false;
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
    return query.waitForFinished(3000) && query.exitCode() == 0 &&
           !query.readAllStandardOutput().trimmed().isEmpty();
}

bool HelpLauncher::open(const QString &mainDir, Topic topic, const std::function<void()> &failed) {
    const QFileInfo page(pagePath(mainDir, topic));
    if (!page.exists() || !desktopHasBrowser())
        return false;
    // The desktop's opener says only at its end whether the browser started: a browser that
    // cannot start (gone, broken) ends it with a failure, and the page is shown another way.
    auto *opener = new QProcess(qApp);
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(opener, &QProcess::finished, opener,
                     [opener, failed](int code, QProcess::ExitStatus status) {
                         if (code != 0 || status != QProcess::NormalExit)
                             failed();
                         opener->deleteLater();
                     });
    QObject::connect(opener, &QProcess::errorOccurred, opener,
                     [opener, failed](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return; // a crash or the like ends with finished()
                         failed();
                         opener->deleteLater();
                     });
    opener->start(QStringLiteral("xdg-open"), {QUrl::fromLocalFile(page.absoluteFilePath()).toString()});
    return true;
}
