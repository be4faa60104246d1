// A first start needs no set-up step: the program lays out its main directory from its
// installed data, records it and opens on its welcome page.
#include "base/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(FirstStartTest, LaysOutAndRecordsTheMainDirectory) {
    struct Case {
        const char *why;
        const char *dataHome;    // $XDG_DATA_HOME below the home, or none
        const char *recordedDir; // [Locations] main dir below the home ("/..." as is), or none
        const char *expectedDir; // below the home
        bool mailto = false;     // run as the launcher of a link, which starts the program
    };
    const Case cases[] = {
        {"an empty home", nullptr, nullptr, ".local/share/corvalis/"},
        {"a data folder of the user's choice", "data", nullptr, "data/corvalis/"},
        {"a recorded folder that lost the program's pages keeps the user's files", nullptr, "mine/", "mine/"},
        {"a recorded folder that cannot be made", nullptr, "/proc/no-such/", ".local/share/corvalis/"},
        {"a link's launcher", nullptr, nullptr, ".local/share/corvalis/", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        QTemporaryDir home, elsewhere;
        const QString ini = home.filePath(u".config/corvalis/corvalis.ini"_s);
        const auto below = [&](const char *dir) {
            const QString name = QString::fromUtf8(dir);
            return name.startsWith(u'/') ? name : home.filePath(name);
        };
        if (c.recordedDir) {
            QDir().mkpath(below(c.recordedDir) + u"savedmgs/Mine"_s);
            Settings(ini).set(Keys::MainDir, below(c.recordedDir));
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "CORVALIS_INI"})
            env.remove(QString::fromLatin1(name));
        env.insert(u"HOME"_s, home.path());
        if (c.dataHome)
            env.insert(u"XDG_DATA_HOME"_s, below(c.dataHome));

        QProcess corvalis;
        corvalis.setProcessEnvironment(env);
        corvalis.setWorkingDirectory(elsewhere.path());
        corvalis.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList arguments{u"--no-splash"_s, u"--quit-after-start"_s};
        if (c.mailto)
            arguments << u"--mailto"_s << u"mailto:ann@example.com"_s;
        corvalis.start(QStringLiteral(CORVALIS_PATH), arguments);
        ASSERT_TRUE(corvalis.waitForFinished(60000));
        // The exit status says the welcome page loaded, or the program started took the link.
        EXPECT_EQ(corvalis.exitCode(), 0);
        // That program quits once loaded, before it opens the link; its shutdown keeps the link
        // for the next start beside the window switches, written one after the other.
        const auto linkKept = [&] {
            const Settings settings(ini);
            return !settings.GetIni(u"Settings"_s, u"autopos"_s, {}).isEmpty() &&
                   settings.get(Keys::Mailto) == u"ann@example.com"_s;
        };
        EXPECT_TRUE(!c.mailto || QTest::qWaitFor(linkKept, 60000));
        const QString expected = below(c.expectedDir);
        EXPECT_EQ(Settings(ini).get(Keys::MainDir), expected);
        EXPECT_TRUE(QFileInfo(expected + u"html/welcome.htm"_s).isFile());
        if (c.recordedDir && expected == below(c.recordedDir)) {
            EXPECT_TRUE(QDir(expected + u"savedmgs/Mine"_s).exists());
        }
    }
}
