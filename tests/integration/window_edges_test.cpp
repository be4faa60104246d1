// The main window's edges: what a press or a key does to the tabs, and help without a browser.
#include "main_form_harness.h"
#include "shell/tab_navigator.h"

#include <QAction>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(WindowEdgesTest, ABlankPressKeepsTheTabAndTheKeysWalkTheTabs) {
    MainFormHarness h;
    ASSERT_TRUE(h.start());
    auto *tabs = h.form().findChild<QTabBar *>(u"TabStrip2"_s);
    tabs->setCurrentIndex(TabNavigator::SettingsTab - 1);
    QWidget *settingsPage = h.form().findChild<QWidget *>(u"PictureSettings"_s);
    ASSERT_TRUE(settingsPage && settingsPage->isVisible());
    QTest::mouseClick(settingsPage, Qt::LeftButton, {}, QPoint(5, settingsPage->height() - 5));
    EXPECT_EQ(tabs->currentIndex(), TabNavigator::SettingsTab - 1);

    const struct {
        QKeyCombination keys;
        int tab;
    } walks[] = {{Qt::CTRL | Qt::Key_Tab, TabNavigator::InboxLogin}, // round the end
                 {Qt::CTRL | Qt::Key_PageDown, TabNavigator::Compose},
                 {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, TabNavigator::InboxLogin},
                 {Qt::CTRL | Qt::Key_PageUp, TabNavigator::SettingsTab}};
    for (const auto &walk : walks) {
        SCOPED_TRACE(QKeySequence(walk.keys).toString().toStdString());
        QTest::keyClick(tabs, walk.keys.key(), walk.keys.keyboardModifiers());
        EXPECT_EQ(tabs->currentIndex(), walk.tab - 1);
    }
}

namespace {
QStringList messages;
void recordMessage(QtMsgType, const QMessageLogContext &, const QString &text) {
    messages << text;
}
} // namespace

TEST(HelpWindowTest, WithoutADesktopBrowserHelpOpensInItsOwnWindow) {
    MainFormHarness h;
    ASSERT_TRUE(h.start());
    // No opener on the search path: the desktop cannot show a page.
    QTemporaryDir emptyBin;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", emptyBin.path().toUtf8());
    messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(recordMessage);

    h.form().activateWindow();
    QTest::keyClick(&h.form(), Qt::Key_F1);
    auto *window = h.form().findChild<QWidget *>(u"HelpWindow"_s);
    ASSERT_TRUE(window && window->isVisible());
    auto *browser = window->findChild<QTextBrowser *>(u"helpBrowser"_s);
    const auto click = [&](const char *name) {
        QToolBar *bar = window->findChild<QToolBar *>();
        QTest::mouseClick(bar->widgetForAction(window->findChild<QAction *>(QString::fromLatin1(name))),
                          Qt::LeftButton);
    };
    const struct {
        const char *button; // nullptr: the page F1 opened
        const char *page;
    } steps[] = {{nullptr, "inbox.html"},
                 {"helpContents", "index.html"},
                 {"helpBack", "inbox.html"},
                 {"helpForward", "index.html"}};
    for (const auto &step : steps) {
        SCOPED_TRACE(step.button ? step.button : "F1");
        if (step.button)
            click(step.button);
        EXPECT_EQ(browser->source().fileName(), QString::fromLatin1(step.page));
    }
    EXPECT_FALSE(browser->toPlainText().isEmpty());
    qInstallMessageHandler(previous);
    qputenv("PATH", path);
    EXPECT_EQ(messages.filter(u"launcher"_s), QStringList());
}
