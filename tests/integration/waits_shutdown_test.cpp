// A SIGTERM (a desktop logout) closes Corvalis during every kind of wait it has: the program
// exits at once, having written its settings once, with the values start-up had read.
#include "shell/main_dir_install.h"
#include "shell/settings.h"
#include "shell/tab_addresses.h"
#include "webpages/mailto_hand_over.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <csignal>

using namespace Qt::StringLiterals;

TEST(WaitsShutdownTest, ASigtermEndsEveryKindOfWait) {
    enum class Reach { Splash, PollTick, ComposeWait };
    const struct {
        const char *wait;
        Reach reach;
        QByteArray composePage; // what the compose pane loads for a mailto; none: a missing page
        QString end;            // the stage marker and the handed-in address at the end
    } cases[] = {
        {"splash, before start-up has applied the stored values", Reach::Splash, {}, u"|"_s},
        // The tick and the close come in one pass of the event loop; the address is kept.
        {"mailto poll", Reach::PollTick, {}, u"|ann@example.com"_s},
        {"compose wait: the page never has the form", Reach::ComposeWait, {}, u"5|"_s},
        {"bridge call: the page's script never yields", Reach::ComposeWait, "<script>for (;;) {}</script>",
         u"5|"_s},
    };
    // The switches and placement start-up reads; the shutdown must write the same back.
    const QStringList keys{u"autologin"_s, u"setmax"_s, u"left"_s, u"top"_s, u"width"_s, u"height"_s};
    const QStringList stored{u"1"_s, u"0"_s, u"1500"_s, u"1500"_s, u"12000"_s, u"9000"_s};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.wait);
        QTemporaryDir dir;
        MainDirInstall::install(QStringLiteral(CORVALIS_SOURCE_DIR "/data"), dir.path());
        const QString ini = dir.filePath(u"corvalis.ini"_s);
        Settings settings(ini);
        const auto value = [&](const QString &key) { return settings.GetIni(u"Settings"_s, key, QString()); };
        settings.SetIni(u"Locations"_s, u"main dir"_s, dir.path() + u'/');
        for (int i = 0; i < keys.size(); ++i)
            settings.SetIni(u"Settings"_s, keys[i], stored[i]);
        // The compose page a mailto opens, worked out from the welcome page's address.
        QFile page(QUrl(*TabAddresses::composeAddress(
                            QUrl::fromLocalFile(dir.filePath(u"html/welcome.htm"_s)).toString()))
                       .toLocalFile());
        ASSERT_TRUE(c.composePage.isEmpty() ||
                    (page.open(QIODevice::WriteOnly) && page.write(c.composePage) > 0));
        page.close();

        QProcess corvalis;
        QStringList arguments{u"--settings"_s, ini};
        if (c.reach != Reach::Splash)
            arguments << u"--no-splash"_s;
        corvalis.start(QStringLiteral(CORVALIS_PATH), arguments);
        const auto send = [&](int signal) { ::kill(pid_t(corvalis.processId()), signal); };
        // The program has its own SIGTERM handler in place: it would die of the signal before.
        const auto handlesSigterm = [&] {
            QFile status(u"/proc/%1/status"_s.arg(corvalis.processId()));
            const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
            const QByteArray mask = text.mid(text.indexOf("SigCgt:") + 7).split('\n').value(0).trimmed();
            return (mask.toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
        };
        ASSERT_TRUE(QTest::qWaitFor(handlesSigterm, 20000));
        ASSERT_TRUE(c.reach == Reach::Splash ||
                    QTest::qWaitFor([&] { return MailtoHandOver::receiverRunning(ini); }, 20000));
        if (c.reach == Reach::PollTick) {
            send(SIGSTOP);
            settings.set(Keys::Mailto, u"ann@example.com"_s);
            QTest::qWait(MailtoHandOver::intervalMs + 200); // the tick falls due meanwhile
            send(SIGTERM);
            send(SIGCONT);
        } else if (c.reach == Reach::Splash) {
            QTest::qWait(1000); // start-up reaches the splash, which shows for 1.5 s
            send(SIGTERM);
        } else {
            settings.set(Keys::Mailto, u"ann@example.com"_s);
            ASSERT_TRUE(QTest::qWaitFor([&] { return value(u"bug"_s) == u"5"_s; }, 20000));
            QTest::qWait(1000); // the page has come, and a look into it is under way
            send(SIGTERM);
        }
        EXPECT_TRUE(corvalis.waitForFinished(2000)); // or it is killed when `corvalis` goes
        EXPECT_EQ(corvalis.exitStatus(), QProcess::NormalExit);
        for (int i = 0; i < keys.size(); ++i)
            EXPECT_EQ(value(keys[i]), stored[i]) << keys[i].toStdString();
        EXPECT_EQ(value(u"bug"_s) + u'|' + value(u"mailto"_s), c.end);
    }
}
