// Two processes change the settings file at the same time: the program writing its switches and
// an outside launcher handing in `mailto`. The second process is this test binary started again
// with CORVALIS_TEST_MAILTO_WRITER set; it does its writes before main() and exits.
#include "base/settings.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

constexpr char writerVariable[] = "CORVALIS_TEST_MAILTO_WRITER";
constexpr int writes = 200;

// Writes `key` again and again and counts how often its previous value had gone by the next
// write: that happens when the other process read the file before a write here and wrote its
// own change after it.
int writeRepeatedly(Settings &settings, const SettingKey &key, const QString &prefix,
                    const std::function<void()> &afterFirstWrite) {
    int lost = 0;
    for (int i = 0; i < writes; ++i) {
        if (i > 0 && settings.get(key) != prefix + QString::number(i - 1))
            ++lost;
        settings.set(key, prefix + QString::number(i));
        if (i == 0 && afterFirstWrite)
            afterFirstWrite();
    }
    return lost;
}

[[maybe_unused]] const bool writerRole = [] {
    const QString path = qEnvironmentVariable(writerVariable);
    if (path.isEmpty())
        return false;
    Settings settings(path);
    const int lost = writeRepeatedly(settings, Keys::Mailto, u"child-"_s, [] {
        std::fputs("ready\n", stdout);
        std::fflush(stdout);
    });
    std::fflush(stdout);
    std::_Exit(lost == 0 ? EXIT_SUCCESS : EXIT_FAILURE);
}();

} // namespace

TEST(SettingsAcrossProcesses, NeitherProcessLosesTheOthersWrites) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"corvalis.ini"_s);
    Settings settings(path);
    settings.set(Keys::MainDir, u"/srv/corvalis/"_s);

    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        QProcess writer;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(writerVariable), path);
        writer.setProcessEnvironment(environment);
        writer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        writer.start(QCoreApplication::applicationFilePath(), {});
        // Start only once the writer is writing, so that the two loops overlap.
        ASSERT_TRUE(writer.waitForReadyRead(30000)) << writer.errorString().toStdString();

        const int lost = writeRepeatedly(settings, Keys::Bug, u"parent-"_s, {});

        ASSERT_TRUE(writer.waitForFinished(60000)) << writer.errorString().toStdString();
        EXPECT_EQ(writer.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(writer.exitCode(), EXIT_SUCCESS) << "the writer lost some of its writes";
        EXPECT_EQ(lost, 0);
        EXPECT_EQ(settings.get(Keys::Mailto), u"child-199"_s);
        EXPECT_EQ(settings.get(Keys::Bug), u"parent-199"_s);
        EXPECT_EQ(settings.get(Keys::MainDir), u"/srv/corvalis/"_s);
    }
}
