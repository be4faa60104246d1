// Every writer of the user's files replaces a file whole: a process killed at any moment, or one
// stopped by a full disk, leaves the old file or the new one, and no temporary file beside it.
#include "addressbook/book_file.h"
#include "base/settings.h"
#include "mailmerge/template_file.h"
#include "store/saved_message_file.h"
#include "unit/base/file_size_limit.h"

#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Saves a book, template, message and settings key holding `version` in `dir`; bits 0-2: which writer failed.
int writeAll(const QString &dir, int version) {
    const QString text = QString(QChar(u'a' + version)).repeated(20000);
    BookTable book(3);
    for (int row = 0; row < 200; ++row)
        book.appendCells({text.left(100), "x", "y"});
    int failed = BookFile::write(dir + "/book.csv", book, BookLine::Delimiter::Comma).ok ? 0 : 1;
    failed |= TemplateFile::write(dir + "/offer.txt", {"Offer", text}).isEmpty() ? 0 : 2;
    const SavedMessage message{"a@example.org", "Hello", "2024-01-01", "b@example.org", {}, {}, text};
    failed |= writeSavedMessage(dir, "inbox", message, MessageKind::Captured).ok() ? 0 : 4;
    Settings(dir + "/corvalis.ini").SetIni("Test", "value", text.left(200));
    return failed;
}

void prepare(const QString &dir) {
    QDir().mkpath(dir + "/savedmgs/inbox");
    for (int key = 0; key < 10; ++key)
        Settings(dir + "/corvalis.ini").SetIni("Test", QString("pad%1").arg(key), QString(250, u'p'));
    writeAll(dir, 0);
}

QMap<QString, QByteArray> snapshot(const QString &dir) {
    QMap<QString, QByteArray> files;
    for (QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        QFile file(it.next());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        files.insert(QDir(dir).relativeFilePath(file.fileName()), file.readAll());
    }
    return files;
}

TEST(WholeFiles, KilledOrFullDiskWritersLeaveTheOldOrTheNewFileAndNoTemporaries) {
    QTemporaryDir root;
    const QString work = root.path() + "/work", fresh = root.path() + "/new";
    prepare(work);
    prepare(fresh);
    writeAll(fresh, 1);
    const QMap<QString, QByteArray> before = snapshot(work), after = snapshot(fresh);
    ASSERT_EQ(before.size(), 5); // the four files and the settings lock
    int newFound = 0;
    qsizetype leftovers = 0;
    for (int round = 0; round < 200; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            for (int version = 1;; version ^= 1)
                writeAll(work, version);
        ::usleep(QRandomGenerator::global()->bounded(1000, 20000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        QMap<QString, QByteArray> now = snapshot(work);
        // Killed between naming its finished file and renaming it, a writer leaves the name.
        leftovers += now.removeIf(
            [](const auto &file) { return QRegularExpression(R"(\.\w{5}~$)").match(file.key()).hasMatch(); });
        ASSERT_EQ(now.keys(), before.keys()) << "round " << round;
        for (auto it = now.cbegin(); it != now.cend(); ++it) {
            ASSERT_TRUE(it.value() == before[it.key()] || it.value() == after[it.key()])
                << it.key().toStdString();
            newFound += it.value() != before[it.key()];
        }
    }
    EXPECT_GT(newFound, 0); // the kills did land among the writes
    writeAll(work, 0);
    const QMap<QString, QByteArray> old = snapshot(work);
    EXPECT_EQ(old.keys(), before.keys()) << leftovers << " names left by kills stay";

    // A full disk fails each writer and keeps the old files.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const FileSizeLimit limit(1024); // every file here is larger
        ::_exit(limit.active() ? writeAll(work, 1) : 99);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 7) << status;
    EXPECT_EQ(snapshot(work), old);
}

} // namespace
