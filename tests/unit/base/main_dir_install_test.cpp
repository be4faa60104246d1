#include "base/main_dir_install.h"
#include "base/text_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
void write(const QString &path, const QByteArray &bytes) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()) && TextFile::writeAtomically(path, bytes).ok);
}
QByteArray read(const QString &path) {
    return TextFile::readAll(path).value_or("<missing>");
}
} // namespace

TEST(MainDirInstallTest, RefreshesProgramFilesAndNeverOverwritesUserData) {
    QTemporaryDir data, main;
    write(data.filePath(u"html/welcome.htm"_s), "new welcome");
    write(data.filePath(u"addrbooks/Friends.csv"_s), "shipped book");
    write(data.filePath(u"savedmgs/sent/.keep"_s), "");
    write(main.filePath(u"html/welcome.htm"_s), "old welcome");
    write(main.filePath(u"addrbooks/Friends.csv"_s), "the user's edits");

    const auto result = MainDirInstall::install(data.path(), main.path());
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(read(main.filePath(u"html/welcome.htm"_s)), "new welcome");
    EXPECT_EQ(read(main.filePath(u"addrbooks/Friends.csv"_s)), "the user's edits");
    EXPECT_TRUE(QDir(main.filePath(u"savedmgs/sent"_s)).exists());
    EXPECT_FALSE(QFile::exists(main.filePath(u"savedmgs/sent/.keep"_s)));

    EXPECT_FALSE(MainDirInstall::install(data.filePath(u"absent"_s), main.path()).ok);

    // Folders given relative to the working directory, as a script passes them.
    QTemporaryDir relativeTarget;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(data.path());
    const auto relative =
        MainDirInstall::install(u"."_s, QDir(data.path()).relativeFilePath(relativeTarget.path()));
    QDir::setCurrent(previous);
    ASSERT_TRUE(relative.ok) << relative.error.toStdString();
    EXPECT_EQ(read(relativeTarget.filePath(u"html/welcome.htm"_s)), "new welcome");
}
