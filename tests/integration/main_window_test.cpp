// The main window on real panes: start-up placement, tabs, progress and shutdown.
#include "main_form_harness.h"

#include "shell/address_book_pane.h"
#include "shell/tab_navigator.h"
#include "shell/twips.h"
#include "webpages/web_pane.h"

#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(MainWindowTest, FirstStartOpensTheWelcomePageOnTheFirstTabAndWritesTheSettingsAtClose) {
    MainFormHarness h;
    ASSERT_TRUE(h.sim().started());
    ASSERT_TRUE(h.start());
    MainForm &form = h.form();
    EXPECT_EQ(form.windowTitle(), u"Corvalis"_s);
    EXPECT_EQ(form.tabs().selected(), int(TabNavigator::InboxLogin));
    EXPECT_TRUE(form.webBrowser(1).locationUrl().endsWith(u"/html/welcome.htm"_s));
    EXPECT_TRUE(form.addressBookPane().addbook_hidden());
    EXPECT_TRUE(form.findChild<QPushButton *>(u"CommandShowAddress"_s)->isVisibleTo(&form));
    EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);

    EXPECT_EQ(h.settings().GetIni(u"Settings"_s, u"setmax"_s, u"absent"_s), u"absent"_s);
    form.close();
    EXPECT_EQ(h.settings().GetIni(u"Settings"_s, u"setmax"_s, u"absent"_s), u"1"_s);
    EXPECT_EQ(h.settings().GetIni(u"Settings"_s, u"autologin"_s, u"absent"_s), u"0"_s);
    EXPECT_EQ(h.settings().GetIni(u"Settings"_s, u"autopos"_s, u"absent"_s), u"1"_s);
    // The main directory is the installer's to write, never the program's.
    EXPECT_EQ(h.settings().GetIni(u"Locations"_s, u"main dir"_s, QString()), h.mainDir());
}

TEST(MainWindowTest, StoredPlacementIsRestoredAndTheNormalWindowSavesItsOwn) {
    MainFormHarness h("[Settings]\r\nsetmax=0\r\nleft=1500\r\ntop=750\r\nwidth=12000\r\nheight=9000\r\n");
    ASSERT_TRUE(h.start());
    MainForm &form = h.form();
    EXPECT_FALSE(form.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(form.size(), QSize(Twips::toPixels(12000), Twips::toPixels(9000)));

    form.resize(Twips::toPixels(10500), Twips::toPixels(7500));
    form.close();
    const auto stored = [&](const QString &key) {
        return h.settings().GetIni(u"Settings"_s, key, QString());
    };
    EXPECT_EQ(stored(u"setmax"_s), u"0"_s);
    EXPECT_EQ(stored(u"width"_s), u"10500"_s);
    EXPECT_EQ(stored(u"height"_s), u"7500"_s);
    EXPECT_FALSE(stored(u"left"_s).isEmpty());
}

TEST(MainWindowTest, LeftOfMinusOneKeepsTheDesignedPlacementAndMinimizedClosesAsMaximized) {
    MainFormHarness h("[Settings]\r\nsetmax=0\r\nleft=-1\r\nwidth=3000\r\nheight=2000\r\n");
    ASSERT_TRUE(h.start());
    MainForm &form = h.form();
    EXPECT_FALSE(form.windowState() & Qt::WindowMaximized);
    // The stored 3000 x 2000 twips would be 200 x 133 pixels; the designed size stays.
    EXPECT_GT(form.width(), Twips::toPixels(3000));

    form.setWindowState(Qt::WindowMinimized);
    form.close();
    EXPECT_EQ(h.settings().GetIni(u"Settings"_s, u"setmax"_s, QString()), u"1"_s);
    // The position keys are left as they were.
    EXPECT_EQ(h.settings().GetIni(u"Settings"_s, u"width"_s, QString()), u"3000"_s);
}

TEST(MainWindowTest, ComposeTabDerivesTheComposeAddressFromTheInboxAddress) {
    MainFormHarness h;
    ASSERT_TRUE(h.start());
    MainForm &form = h.form();
    WebPane &compose = form.webBrowser(3);

    // The welcome page is a file: its derived address is no compose page.
    ASSERT_TRUE(h.load(form.webBrowser(1), h.sim().baseUrl() + u"/yahoo/inbox"_s));
    form.tabs().select(TabNavigator::Compose);
    ASSERT_TRUE(MainFormHarness::waitForPage(compose, u"/yahoo/compose"_s));
    EXPECT_EQ(compose.locationUrl(), h.sim().baseUrl() + u"/yahoo/compose"_s);

    // An address without a second "/" after its tenth character leaves the compose pane alone.
    ASSERT_TRUE(h.load(form.webBrowser(1), h.sim().baseUrl() + u"/hotmail/inbox"_s));
    form.tabs().select(TabNavigator::InboxLogin);
    form.webBrowser(1).navigate(u"about:blank"_s);
    ASSERT_TRUE(
        MainFormHarness::waitFor([&] { return form.webBrowser(1).locationUrl() == u"about:blank"_s; }));
    form.tabs().select(TabNavigator::Compose);
    EXPECT_EQ(compose.locationUrl(), h.sim().baseUrl() + u"/yahoo/compose"_s);
}

TEST(MainWindowTest, CalendarIsLoadedOnceForTheServiceShown) {
    MainFormHarness h;
    ASSERT_TRUE(h.start());
    MainForm &form = h.form();
    WebPane &calendar = form.webBrowser(4);
    ASSERT_TRUE(h.load(form.webBrowser(1), h.sim().baseUrl() + u"/yahoo/inbox"_s));
    form.tabs().select(TabNavigator::Calendar);
    ASSERT_TRUE(MainFormHarness::waitForPage(calendar, u"/calendar/yahoo"_s));

    // The user moves on inside the calendar; selecting the tab again keeps that page.
    ASSERT_TRUE(h.load(calendar, h.sim().baseUrl() + u"/calendar/yahoo?month=2"_s));
    form.tabs().select(TabNavigator::SettingsTab);
    form.tabs().select(TabNavigator::Calendar);
    EXPECT_EQ(calendar.locationUrl(), h.sim().baseUrl() + u"/calendar/yahoo?month=2"_s);
    EXPECT_FALSE(calendar.busy());
}

TEST(MainWindowTest, ProgressBarShowsOnlyWhileAPageIsPartlyLoaded) {
    MainFormHarness h;
    ASSERT_TRUE(h.start());
    MainForm &form = h.form();
    auto *progress = form.findChild<QProgressBar *>(u"Progress1"_s);
    ASSERT_NE(progress, nullptr);
    const struct {
        int progress, maximum;
        bool visible;
    } steps[] = {{1, 100, true},  {50, 100, true}, {100, 100, false},
                 {30, 100, true}, {0, 100, false}, {99, 100, true}};
    for (const auto &s : steps) {
        SCOPED_TRACE(s.progress);
        emit form.webBrowser(1).progressChanged(s.progress, s.maximum);
        EXPECT_EQ(progress->isVisibleTo(&form), s.visible);
        if (s.visible) {
            EXPECT_EQ(progress->value(), s.progress);
        }
    }
}

TEST(MainWindowTest, AddressPaneHidesShowsAndExpandsWithinTheSplitterLimits) {
    MainFormHarness h("[Settings]\r\nsetmax=0\r\nleft=0\r\ntop=0\r\nwidth=15000\r\nheight=9000\r\n");
    ASSERT_TRUE(h.start());
    MainForm &form = h.form();
    AddressBookPane &pane = form.addressBookPane();
    auto *splitter = form.findChild<QSplitter *>(u"splitter"_s);
    auto *show = form.findChild<QPushButton *>(u"CommandShowAddress"_s);
    ASSERT_TRUE(splitter && show);
    EXPECT_EQ(splitter->sizes().value(0), 0);

    show->click();
    EXPECT_FALSE(pane.addbook_hidden());
    EXPECT_FALSE(show->isVisibleTo(&form));
    EXPECT_GE(splitter->sizes().value(0), Twips::toPixels(750) - 1);

    pane.SizeControls(100); // dragged too far left: the pane keeps its minimum
    EXPECT_NEAR(splitter->sizes().value(0), Twips::toPixels(750), 2);
    pane.toggleExpanded();
    EXPECT_TRUE(pane.expanded());
    EXPECT_GT(splitter->sizes().value(0), splitter->width() / 2);
    pane.toggleExpanded();
    EXPECT_NEAR(splitter->sizes().value(0), Twips::toPixels(750), 2);

    pane.toggleExpanded();
    pane.hidePane();
    EXPECT_TRUE(show->isVisibleTo(&form));
    EXPECT_EQ(splitter->sizes().value(0), 0);
    show->click(); // showing an expanded pane contracts it first
    EXPECT_FALSE(pane.expanded());
}
