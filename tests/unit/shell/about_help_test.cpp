// The about box and the help pages every help entry of the program opens.
#include "shell/dialog_about.h"
#include "shell/help_launcher.h"
#include "shell/tab_navigator.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(HelpTest, EveryHelpEntryOpensAPageThatShips) {
    const QString shipped = QStringLiteral(CORVALIS_SOURCE_DIR "/data/");
    for (HelpLauncher::Topic topic : HelpLauncher::allTopics()) {
        const QString page = HelpLauncher::pagePath(shipped, topic);
        SCOPED_TRACE(page.toStdString());
        EXPECT_TRUE(QFileInfo(page).isFile());
    }
    // F1 on each tab opens that tab's own page, never the contents.
    QStringList tabPages;
    for (int tab = TabNavigator::InboxLogin; tab <= TabNavigator::SettingsTab; ++tab)
        tabPages << HelpLauncher::pageName(HelpLauncher::topicForTab(tab));
    tabPages.removeDuplicates();
    EXPECT_EQ(tabPages.size(), 5);
    EXPECT_FALSE(tabPages.contains(u"index.html"_s));
}

TEST(AboutTest, ShowsTheVersionAndPathsAndCopiesThem) {
    AboutFacts facts = DialogAbout::currentFacts(u"/home/ann/.config/corvalis/corvalis.ini"_s, u"/srv/cv/"_s);
    facts.keyring = u"Failed to execute child process"_s;
    EXPECT_EQ(facts.version, QStringLiteral(CORVALIS_VERSION));
    EXPECT_FALSE(facts.chromiumVersion.isEmpty());

    DialogAbout dialog(facts, nullptr);
    const QString shown =
        dialog.findChild<QLabel *>(u"lblTitle"_s)->text() + dialog.findChild<QLabel *>(u"lblFacts"_s)->text();
    for (const QString &fact : {facts.version, facts.qtVersion, facts.settingsFile, facts.mainDir})
        EXPECT_TRUE(shown.contains(fact)) << fact.toStdString();

    dialog.findChild<QPushButton *>(u"cmdSysInfo"_s)->click();
    const QString copied = QApplication::clipboard()->text();
    for (const QString &line :
         {u"Settings file: /home/ann/.config/corvalis/corvalis.ini"_s, u"Main directory: /srv/cv/"_s,
          u"Chromium: "_s + facts.chromiumVersion, u"Keyring: Failed to execute child process"_s})
        EXPECT_TRUE(copied.contains(line)) << copied.toStdString();
}
