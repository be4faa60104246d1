// What a start reads and a shutdown writes, and what the window works out.
#include "base/settings.h"

#include "shell/help_launcher.h"
#include "shell/splash_form.h"
#include "shell/splitter_rules.h"
#include "shell/startup.h"
#include "shell/tab_addresses.h"
#include "webpages/page_model.h"

#include <QSignalSpy>

#include "support/unit_files.h"

using namespace Qt::StringLiterals;

namespace {

class StartupTest : public ::testing::Test {
protected:
    Settings settingsWith(const QByteArray &ini) { return Settings(m_dir.write(u"corvalis.ini"_s, ini)); }
    TestFolder m_dir;
};

} // namespace

// Each case checks every value, so a stored key that leaks into another's reading shows.
TEST_F(StartupTest, StoredValuesAreReadAndTheOthersDefault) {
    const struct {
        const char *settings; // the lines of [Settings]
        bool autoLog = false, maximized = true;
        std::optional<QRect> placement = std::nullopt;
        double dpi = 96.0;
        int edTop = 950, edHt = 3030;
    } cases[] = {
        // 120 DPI is 12 twips per pixel: the editor's defaults shrink to 12/15 of themselves.
        {"", false, true, {}, 120.0, 760, 2424},
        // Auto login ticks only for numbers above zero; only setmax "1" maximizes, and then the
        // placement is not read; a left of -1 stores none.
        {"autologin=1\r\nsetmax=1\r\nleft=300\r\n", true},
        {"autologin= 5x\r\nsetmax=0\r\nleft=-1\r\ntop=90\r\n", true, false},
        {"autologin=0\r\nsetmax=0\r\nleft=0\r\n", false, false, QRect(0, 0, 700, 500)},
        {"autologin=-1\r\nsetmax=yes\r\nleft=15\r\ntop=abc\r\n", false, false, QRect(15, 0, 700, 500)},
        // The editor's stored place counts only with automatic placement off.
        {"autologin=abc\r\nautopos=0\r\ned_top=1200\r\ned_ht=4000\r\n", false, true, {}, 120.0, 1200, 4000},
        {"autopos=1\r\ned_top=1200\r\n"},
    };
    for (const auto &c : cases) {
        const StartupValues v =
            readStartupValues(settingsWith("[Settings]\r\n" + QByteArray(c.settings)), c.dpi);
        EXPECT_EQ(
            std::tuple(v.autoLogTicked, v.maximized, v.placementTwips, v.autoPosEditor, v.edTop, v.edHt),
            std::tuple(c.autoLog, c.maximized, c.placement, !QByteArray(c.settings).contains("autopos=0"),
                       c.edTop, c.edHt))
            << c.settings;
    }
}

TEST_F(StartupTest, MainDirectoryGetsItsSeparatorAndDataPathsJoinEitherWay) {
    const StartupValues v =
        readStartupValues(settingsWith("[Locations]\r\nmain dir=/srv/corvalis\r\n"), 96.0);
    EXPECT_EQ(v.mainDir + u'|' + v.mainDictionary, u"/srv/corvalis/|/srv/corvalis/american.vtd"_s);
    EXPECT_EQ(dataPath(u"/srv/c/"_s, u"html\\welcome.htm"_s), u"/srv/c/html/welcome.htm"_s);
    EXPECT_EQ(dataPath(u"/srv/c"_s, u"savedmgs/sent"_s), u"/srv/c/savedmgs/sent"_s);
    EXPECT_EQ(dataPath(QString(), u"html/welcome.htm"_s), u"html/welcome.htm"_s);
}

TEST(ShutdownWritesTest, NormalWindowStoresItsPlacementOthersOnlySetMax) {
    ShutdownState state;
    state.autoLogTicked = true;
    state.autoPosEditor = false;
    std::tie(state.edTop, state.edHt, state.geometryTwips) =
        std::tuple(1000, 2000, QRect(-150, 30, 9000, 7000));
    state.windowState = WindowState::Normal;
    QStringList writes;
    for (const auto &w : shutdownWrites(state))
        writes << QString::fromLatin1(w.key.key) + u'=' + w.value;
    EXPECT_EQ(writes, QStringList({u"autologin=1"_s, u"autopos=0"_s, u"do_affiliate=0"_s, u"affID="_s,
                                   u"afftext="_s, u"ed_top=1000"_s, u"ed_ht=2000"_s, u"setmax=0"_s,
                                   u"left=-150"_s, u"top=30"_s, u"width=9000"_s, u"height=7000"_s}));
}

TEST(SplashFormTest, ClosesByItself) {
    SplashForm splash;
    QSignalSpy accepted(&splash, &QDialog::accepted);
    splash.show();
    EXPECT_TRUE(accepted.wait(SplashForm::showMs * 4));
}

TEST(HelpTest, EveryHelpEntryOpensAPageThatShips) {
    const QString shipped = QStringLiteral(CORVALIS_SOURCE_DIR "/data/");
    for (HelpLauncher::Topic topic : HelpLauncher::allTopics()) {
        const QString page = HelpLauncher::pagePath(shipped, topic);
        EXPECT_TRUE(QFileInfo(page).isFile()) << page.toStdString();
    }
}

// The compose address keeps the scheme, host and first segment; the calendar follows the service.
TEST(TabAddressesTest, ComposeAndCalendarFollowTheInbox) {
    const struct {
        QString inbox;
        std::optional<QString> compose;
    } cases[] = {
        // A path of one segment only has no second "/": the compose pane stays where it was.
        {u"http://127.0.0.1:8087/inbox"_s, std::nullopt},
        {QString(), std::nullopt},
        // The "//" after the scheme lies before the tenth character and does not count.
        {u"file:///tmp/demo/html/welcome.htm"_s, u"file:///tmp/demo/compose"_s},
        // A "/" exactly at the tenth character is the first one found.
        {u"https://a/b/c"_s, u"https://a/b/compose"_s},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PageModel::composeAddress(c.inbox), c.compose) << c.inbox.toStdString();
    const QString base = u"http://127.0.0.1:9000/"_s;
    for (const auto &[shown, calendar] :
         {std::pair(u"yahoo/inbox"_s, u"yahoo"_s), {u"hotmail/inbox"_s, u"msn"_s}})
        EXPECT_EQ(TabAddresses::calendarAddress(base + shown, base), base + u"calendar/"_s + calendar);
    EXPECT_EQ(TabAddresses::calendarAddress(QString(), base), base + u"calendar/msn"_s);
}

TEST(SplitterRulesTest, PositionStaysAwayFromBothEdgesUnlessThePaneIsHidden) {
    const struct {
        int wanted, width;
        bool hidden;
        int expected;
    } cases[] = {
        {100, 15000, false, 750},
        {3000, 15000, false, 3000},
        {14900, 15000, false, 14250},
        {3000, 15000, true, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SplitterRules::layoutPosition(c.wanted, c.width, c.hidden), c.expected) << c.wanted;
    EXPECT_EQ(SplitterRules::expandedPosition(15001), 12750);
}
