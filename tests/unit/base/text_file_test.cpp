#include "shell/text_file.h"

#include "file_size_limit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

TEST(TextFile, DecodesUtf8AndFallsBackToWindows1252) {
    const struct {
        QByteArray bytes;
        QString expected;
    } cases[] = {
        {"caf\xc3\xa9", u"café"_s},
        {"\xef\xbb\xbf"
         "caf\xc3\xa9",
         u"café"_s},                           // byte-order mark dropped
        {"\xef\xbb\xbf\xef\xbb\xbfx", u"x"_s}, // and a repeated one
        {"caf\xe9", u"café"_s},                // not UTF-8: Windows-1252
        {"caf\xe9!", u"café!"_s},
        {"\x80", u"€"_s},
        {"\x93quoted\x94 \x96 \x99", u"\u201Cquoted\u201D \u2013 \u2122"_s},
        {"\x81\x8d\x8f\x90\x9d", u"\u0081\u008D\u008F\u0090\u009D"_s}, // undefined in 1252, kept
        {"\xef\xbb\xbf\xff", u"\u00FF"_s},                             // mark dropped before the fallback too
        {QByteArray("a\0b", 3), QString(u"a\0b"_s)},
        {"\xed\xa0\x80", u"\u00ED\u00A0\u20AC"_s}, // an encoded surrogate is not UTF-8
        {"", u""_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        EXPECT_EQ(TextFile::decode(c.bytes), c.expected);
    }
}

TEST(TextFile, EncodeWritesUtf8WithoutMark) {
    EXPECT_EQ(TextFile::encode(u"café €"_s), QByteArray("caf\xc3\xa9 \xe2\x82\xac"));
}

TEST(TextFile, SplitsOnEveryKindOfLineEnd) {
    const struct {
        QString text;
        QStringList expected;
    } cases[] = {
        {u"a\r\nb\r\n"_s, {u"a"_s, u"b"_s}},
        {u"a\nb"_s, {u"a"_s, u"b"_s}},
        {u"a\rb\r"_s, {u"a"_s, u"b"_s}},
        {u"a\n\r\nb"_s, {u"a"_s, u""_s, u"b"_s}},
        {u"a\n\rb"_s, {u"a"_s, u""_s, u"b"_s}}, // LF then CR is two line ends
        {u"\n"_s, {u""_s}},
        {u""_s, {}},
        {u"only"_s, {u"only"_s}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString(c.text).replace(u'\r', u"\\r"_s).replace(u'\n', u"\\n"_s).toStdString());
        EXPECT_EQ(TextFile::splitLines(c.text), c.expected);
    }
}

TEST(TextFile, WritesAtomicallyWithRequestedMode) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"file.txt"_s);

    const TextFile::WriteResult first =
        TextFile::writeAtomically(path, "one\r\n", QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ASSERT_TRUE(first.ok) << first.error.toStdString();
    EXPECT_EQ(TextFile::readAll(path), QByteArray("one\r\n"));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);

    ASSERT_TRUE(TextFile::writeAtomically(path, "two").ok);
    EXPECT_EQ(TextFile::readAll(path), QByteArray("two"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"file.txt"_s});
}

TEST(TextFile, FailedWriteReportsAndTouchesNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A directory in the way of the file: the rename cannot replace it, even for root.
    const QString path = dir.filePath(u"taken"_s);
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"taken"_s));
    ASSERT_TRUE(TextFile::writeAtomically(path + u"/inside"_s, "keep").ok);

    const TextFile::WriteResult result = TextFile::writeAtomically(path, "new");
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_EQ(TextFile::readAll(path + u"/inside"_s), QByteArray("keep"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{u"taken"_s});
}

TEST(TextFile, WriteCutShortKeepsTheOldFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"file.txt"_s);
    const QByteArray old(100, 'o');
    ASSERT_TRUE(TextFile::writeAtomically(path, old).ok);

    TextFile::WriteResult result;
    {
        const FileSizeLimit limit(16); // room for the start of the new file only
        ASSERT_TRUE(limit.active());
        result = TextFile::writeAtomically(path, QByteArray(200, 'n'));
    }
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(TextFile::readAll(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"file.txt"_s});
}

TEST(TextFile, ReadAllRefusesMissingAndOversizedFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"f"_s);
    EXPECT_EQ(TextFile::readAll(path), std::nullopt);
    EXPECT_EQ(TextFile::readAll(dir.path()), std::nullopt);

    const QByteArray bytes(200 * 1024, 'x'); // several read chunks
    ASSERT_TRUE(TextFile::writeAtomically(path, bytes).ok);
    EXPECT_EQ(TextFile::readAll(path, bytes.size()), bytes);
    EXPECT_EQ(TextFile::readAll(path, bytes.size() - 1), std::nullopt);
}
