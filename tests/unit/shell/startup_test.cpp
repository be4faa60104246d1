#include "base/settings.h"
#include "base/text_file.h"
#include "shell/startup.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class StartupTest : public ::testing::Test {
protected:
    Settings settingsWith(const QByteArray &ini) {
        const QString path = m_dir.filePath(u"corvalis.ini"_s);
        EXPECT_TRUE(TextFile::writeAtomically(path, ini).ok);
        return Settings(path);
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(StartupTest, MissingFileGivesAMaximizedWindowAutomaticEditorAndNoSignIn) {
    const StartupValues v = readStartupValues(Settings(m_dir.filePath(u"absent.ini"_s)), 96.0);
    EXPECT_TRUE(v.maximized);
    EXPECT_FALSE(v.placementTwips.has_value());
    EXPECT_TRUE(v.autoPosEditor);
    EXPECT_FALSE(v.autoLogTicked);
    EXPECT_EQ(v.mainDir, QString());
    EXPECT_EQ(v.mainDictionary, u"american.vtd"_s);
    EXPECT_EQ(v.affiliateText, u"This Blog was Created by Corvalis - Visual HTML Editing for Blogger.com"_s);
}

TEST_F(StartupTest, AutoLoginTicksOnlyForNumbersAboveZero) {
    const struct {
        const char *stored;
        bool ticked;
    } cases[] = {{"1", true},  {"2", true},   {"3", true},    {" 5x", true},
                 {"0", false}, {"-1", false}, {"abc", false}, {"", false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored);
        const Settings s = settingsWith("[Settings]\r\nautologin=" + QByteArray(c.stored) + "\r\n");
        EXPECT_EQ(readStartupValues(s, 96.0).autoLogTicked, c.ticked);
    }
}

TEST_F(StartupTest, WindowPlacementIsRestoredOnlyWhenNotMaximizedAndLeftIsSet) {
    const struct {
        const char *ini;
        bool maximized;
        std::optional<QRect> placement;
    } cases[] = {
        {"[Settings]\r\nsetmax=1\r\nleft=300\r\n", true, std::nullopt},
        {"[Settings]\r\nsetmax=0\r\nleft=-1\r\ntop=90\r\n", false, std::nullopt},
        {"[Settings]\r\nsetmax=0\r\nleft=-7\r\n", false, std::nullopt},
        {"[Settings]\r\nsetmax=0\r\nleft=0\r\n", false, QRect(0, 0, 700, 500)},
        {"[Settings]\r\nsetmax=0\r\nleft=1500\r\ntop=300\r\nwidth=9000\r\nheight=6000\r\n", false,
         QRect(1500, 300, 9000, 6000)},
        // Only "1" maximizes: any other text restores.
        {"[Settings]\r\nsetmax=yes\r\nleft=15\r\ntop=abc\r\n", false, QRect(15, 0, 700, 500)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.ini);
        const StartupValues v = readStartupValues(settingsWith(c.ini), 96.0);
        EXPECT_EQ(v.maximized, c.maximized);
        EXPECT_EQ(v.placementTwips, c.placement);
    }
}

TEST_F(StartupTest, EditorPlacementIsScaledDefaultsUnlessStoredWithAutomaticPlacementOff) {
    const struct {
        const char *ini;
        double dpi;
        int edTop, edHt;
    } cases[] = {
        // 120 DPI is 12 twips per pixel: the defaults shrink to 12/15 of themselves.
        {"", 120.0, 760, 2424},
        {"", 72.0, 1266, 4040},
        {"[Settings]\r\nautopos=0\r\ned_top=1200\r\ned_ht=4000\r\n", 120.0, 1200, 4000},
        {"[Settings]\r\nautopos=1\r\ned_top=1200\r\n", 96.0, 950, 3030},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.ini);
        const StartupValues v = readStartupValues(settingsWith(c.ini), c.dpi);
        EXPECT_EQ(v.autoPosEditor, !QByteArray(c.ini).contains("autopos=0"));
        EXPECT_EQ(QList<int>({v.edTop, v.edHt}), QList<int>({c.edTop, c.edHt}));
    }
}

TEST_F(StartupTest, MainDirectoryGetsItsSeparatorAndDataPathsJoinEitherWay) {
    const StartupValues v =
        readStartupValues(settingsWith("[Locations]\r\nmain dir=/srv/corvalis\r\n"), 96.0);
    EXPECT_EQ(v.mainDir, u"/srv/corvalis/"_s);
    EXPECT_EQ(v.mainDictionary, u"/srv/corvalis/american.vtd"_s);
    EXPECT_EQ(dataPath(u"/srv/c/"_s, u"html\\welcome.htm"_s), u"/srv/c/html/welcome.htm"_s);
    EXPECT_EQ(dataPath(u"/srv/c"_s, u"savedmgs/sent"_s), u"/srv/c/savedmgs/sent"_s);
    EXPECT_EQ(dataPath(QString(), u"html/welcome.htm"_s), u"html/welcome.htm"_s);
}

TEST(ShutdownWritesTest, NormalWindowStoresItsPlacementOthersOnlySetMax) {
    ShutdownState state;
    state.autoLogTicked = true;
    state.autoPosEditor = false;
    state.edTop = 1000;
    state.edHt = 2000;
    state.geometryTwips = QRect(-150, 30, 9000, 7000);

    const auto keysOf = [](const SettingWrites &writes) {
        QStringList keys;
        for (const auto &w : writes)
            keys << QString::fromLatin1(w.key.key) + u'=' + w.value;
        return keys;
    };
    state.windowState = WindowState::Normal;
    EXPECT_EQ(keysOf(shutdownWrites(state)),
              QStringList({u"autologin=1"_s, u"autopos=0"_s, u"do_affiliate=0"_s, u"affID="_s, u"afftext="_s,
                           u"ed_top=1000"_s, u"ed_ht=2000"_s, u"setmax=0"_s, u"left=-150"_s, u"top=30"_s,
                           u"width=9000"_s, u"height=7000"_s}));
    for (const WindowState notNormal : {WindowState::Maximized, WindowState::Minimized}) {
        state.windowState = notNormal;
        const QStringList keys = keysOf(shutdownWrites(state));
        EXPECT_EQ(keys.last(), u"setmax=1"_s);
        EXPECT_FALSE(keys.join(u' ').contains(u"left="_s));
    }
}
