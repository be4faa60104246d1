// The values a start reads and a shutdown writes, and the dialogs of the window: the start-up
// picture, the editor placement, the about box; and the help pages every help entry opens.
#include "base/settings.h"

#include "base/text_file.h"
#include "shell/dialog_about.h"
#include "shell/dialog_pos_editor.h"
#include "shell/help_launcher.h"
#include "shell/splash_form.h"
#include "shell/startup.h"
#include "shell/tab_navigator.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

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
        {"", true, std::nullopt}, // nothing stored: maximized
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

TEST(SplashFormTest, ClosesOnAKeyAClickOrByItself) {
    for (const bool key : {true, false}) {
        SplashForm splash;
        splash.show();
        if (key)
            QTest::keyClick(&splash, Qt::Key_Space);
        else
            QTest::mouseClick(splash.findChild<QWidget *>(u"Frame1"_s), Qt::LeftButton);
        EXPECT_EQ(splash.result(), QDialog::Accepted) << key;
    }
    {
        SplashForm splash;
        QSignalSpy accepted(&splash, &QDialog::accepted);
        splash.show();
        EXPECT_TRUE(accepted.wait(SplashForm::showMs * 4));
    }
}

TEST(DialogPosEditorTest, AutomaticPlacementTakesTheDefaultsAndDisablesTheBoxes) {
    DialogPosEditor dialog({false, 1200, 4000}, {true, 950, 3030});
    auto *automatic = dialog.findChild<QCheckBox *>(u"CheckAuto"_s);
    auto *top = dialog.findChild<QSpinBox *>(u"Text1"_s);
    auto *height = dialog.findChild<QSpinBox *>(u"Text2"_s);
    ASSERT_TRUE(automatic && top && height);
    EXPECT_TRUE(top->isEnabled());
    EXPECT_EQ(top->value(), 1200);

    const auto chosen = [&dialog] {
        const auto p = dialog.placement();
        return std::tuple(p.automatic, p.top, p.height);
    };
    top->setValue(1500);
    height->setValue(2500);
    EXPECT_EQ(chosen(), std::tuple(false, 1500, 2500));
    automatic->setChecked(true);
    EXPECT_FALSE(top->isEnabled() || height->isEnabled());
    EXPECT_EQ(chosen(), std::tuple(true, 950, 3030));
}

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
