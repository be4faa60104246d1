// A desktop logout (SIGTERM) or Ctrl+C (SIGINT) closes Corvalis as its close box does.
#include "base/main_dir_install.h"
#include "base/settings.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

// True once the process catches `signal` itself (its handler is installed) rather than
// dying of it: read from the kernel's view of the process, so no guessing with sleeps.
bool catchesSignal(qint64 pid, int signal) {
    QFile status(u"/proc/%1/status"_s.arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
    }
    return false;
}

} // namespace

TEST(TerminationSignalTest, SigtermAndSigintRunTheNormalShutdown) {
    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        QTemporaryDir dir;
        MainDirInstall::install(QStringLiteral(CORVALIS_SOURCE_DIR "/data"), dir.path());
        const QString ini = dir.filePath(u"corvalis.ini"_s);
        Settings settings(ini);
        settings.SetIni(u"Locations"_s, u"main dir"_s, dir.path() + u'/');
        settings.SetIni(u"Settings"_s, u"autologin"_s, u"7"_s);

        QProcess corvalis;
        corvalis.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        corvalis.start(QStringLiteral(CORVALIS_PATH), {u"--settings"_s, ini, u"--no-splash"_s});
        ASSERT_TRUE(corvalis.waitForStarted());
        ASSERT_TRUE(QTest::qWaitFor([&] { return catchesSignal(corvalis.processId(), signal); }, 20000));
        ::kill(static_cast<pid_t>(corvalis.processId()), signal);
        ASSERT_TRUE(corvalis.waitForFinished(20000));
        EXPECT_EQ(corvalis.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(corvalis.exitCode(), 0);
        // The shutdown wrote the switches back: "7" became the ticked box's "1".
        EXPECT_EQ(settings.GetIni(u"Settings"_s, u"autologin"_s, QString()), u"1"_s);
        EXPECT_EQ(settings.GetIni(u"Settings"_s, u"setmax"_s, QString()), u"1"_s);
    }
}
