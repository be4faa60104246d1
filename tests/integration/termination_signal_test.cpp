// A desktop logout (SIGTERM) or Ctrl+C (SIGINT) closes Corvalis as its close box does, and the
// process ends whatever is pending.
#include "main_form_harness.h"

#include "app/termination_signals.h"
#include "base/main_dir_install.h"
#include "base/settings.h"
#include "webpages/web_pane.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>

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

namespace {

constexpr char programRole[] = "CORVALIS_TEST_PROGRAM_ROLE";

// This test binary started again as the program: the editor shown over the blog page, a mailto
// link waiting for its compose page, the service gone; then it runs until a signal ends it.
int runAsProgram() {
    MainFormHarness h;
    TerminationSignals::catchSignals();
    if (!h.start() || !h.load(h.form().webBrowser(1), h.sim().baseUrl() + u"/blog/plain"_s))
        return 3;
    h.form().findChild<QCheckBox *>(u"CheckNormal"_s)->click();
    h.form().findChild<QPushButton *>(u"CommandPlaceEditor"_s)->click();
    h.sim().stop();
    // The link's transfer waits inside the event loop below; it says "ready" from there.
    QTimer ready;
    QObject::connect(&ready, &QTimer::timeout, &ready, [&] {
        if (h.settings().get(Keys::Bug) != u"5"_s)
            return;
        ready.stop();
        std::fputs("ready\n", stdout);
        std::fflush(stdout);
    });
    ready.start(100);
    h.settings().SetIni(u"Settings"_s, u"mailto"_s, u"ann@example.com"_s);
    TerminationSignals::closeOnSignal(h.form());
    return QApplication::exec();
}

} // namespace

TEST(TerminationSignalTest, SigtermEndsTheProcessWithTheEditorOverTheBlogAndTheServiceGone) {
    if (qEnvironmentVariableIsSet(programRole))
        std::_Exit(runAsProgram());
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(programRole), u"1"_s);
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(
        QCoreApplication::applicationFilePath(),
        {u"--gtest_filter=TerminationSignalTest.SigtermEndsTheProcessWithTheEditorOverTheBlogAndTheServiceGone"_s});
    QByteArray output; // the test framework's lines, then the program's "ready"
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            output += program.readAllStandardOutput();
            return output.contains("ready\n") || program.state() == QProcess::NotRunning;
        },
        60000));
    ASSERT_TRUE(output.contains("ready\n")) << output.toStdString();
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    // Hanging: a loaded machine may take seconds, never this long.
    EXPECT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
}
