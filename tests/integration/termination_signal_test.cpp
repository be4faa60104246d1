// A desktop logout (SIGTERM) ends the process whatever is pending: the editor over the blog page
// and a mailto link waiting on a service that went away. (The shutdown a signal runs during every
// kind of wait, and what it writes, is tested with the waits.)
#include "main_form_harness.h"

#include "app/termination_signals.h"

#include <csignal>
#include <cstdio>

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
