// The main window's keyboard and mouse edges: what a press or a key does to the tabs.
#include "main_form_harness.h"
#include "shell/tab_navigator.h"

#include <QTabBar>
#include <QTest>

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
