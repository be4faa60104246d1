#include "base/text_file.h"

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
        {"\xef\xbb\xbf\xef\xbb\xbf"
         "caf\xc3\xa9",
         u"café"_s},            // byte-order marks dropped, however many
        {"caf\xe9", u"café"_s}, // not UTF-8: Windows-1252
        {"\x93quoted\x94 \x80", u"\u201Cquoted\u201D €"_s},
        {"\x81\x8d\x8f\x90\x9d", u"\u0081\u008D\u008F\u0090\u009D"_s}, // undefined in 1252, kept
        {"\xef\xbb\xbf\xff", u"\u00FF"_s},                             // mark dropped before the fallback too
        {QByteArray("a\0b", 3), QString(u"a\0b"_s)},
        {"\xed\xa0\x80", u"\u00ED\u00A0\u20AC"_s}, // an encoded surrogate is not UTF-8
        // Each line on its own, as when an older tool added a line to a UTF-8 file.
        {"Zo\xc3\xab\r\nRen\xe9"
         "e\nCaf\xc3\xa9\rb\xc3\xa9\r\n",
         u"Zoë\r\nRenée\nCafé\rbé\r\n"_s},
        {QByteArray("\xff\xfe"
                    "a\0\xe9\0\r\0\n\0",
                    10),
         u"aé\r\n"_s}, // spreadsheet "Unicode Text"
        {QByteArray("\xfe\xff\0a\0\xe9", 6), u"aé"_s},
        {QByteArray("\xfe\xff\xfe\xff\0a", 6), u"a"_s}, // repeated marks dropped, as in UTF-8
        {QByteArray("\xff\xfe\0\xd8"
                    "a\0",
                    6),
         u"\uFFFDa"_s}, // half a surrogate pair could not be written back
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        EXPECT_EQ(TextFile::decode(c.bytes), c.expected);
    }
    EXPECT_EQ(TextFile::encode(u"café €"_s), QByteArray("caf\xc3\xa9 \xe2\x82\xac"));
}

TEST(TextFile, SplitsOnEveryKindOfLineEnd) {
    const struct {
        QString text;
        QStringList expected;
    } cases[] = {
        {u"a\r\nb\r\n"_s, {u"a"_s, u"b"_s}},
        {u"a\rb\r"_s, {u"a"_s, u"b"_s}},
        {u"a\n\r\nb"_s, {u"a"_s, u""_s, u"b"_s}},
        {u"a\n\rb"_s, {u"a"_s, u""_s, u"b"_s}}, // LF then CR is two line ends
        {u""_s, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString(c.text).replace(u'\r', u"\\r"_s).replace(u'\n', u"\\n"_s).toStdString());
        EXPECT_EQ(TextFile::splitLines(c.text), c.expected);
    }
}

TEST(TextFile, WritesAtomicallyOrNotAtAll) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"file.txt"_s);
    const auto entries = [&] {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    };
    ASSERT_TRUE(TextFile::writeAtomically(path, "one", QFileDevice::ReadOwner | QFileDevice::WriteOwner).ok);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    ASSERT_TRUE(TextFile::writeAtomically(path, QByteArray(100, 'o')).ok);
    EXPECT_EQ(TextFile::readAll(path), QByteArray(100, 'o'));

    TextFile::WriteResult cut;
    {
        const FileSizeLimit limit(16); // room for the start of the new file only
        ASSERT_TRUE(limit.active());
        cut = TextFile::writeAtomically(path, QByteArray(200, 'n'));
    }
    EXPECT_FALSE(cut.ok);
    EXPECT_FALSE(cut.error.isEmpty());
    EXPECT_EQ(TextFile::readAll(path), QByteArray(100, 'o'));

    // A directory in the way of the file: the rename cannot replace it, even for root.
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"taken"_s));
    EXPECT_FALSE(TextFile::writeAtomically(dir.filePath(u"taken"_s), "new").ok);
    EXPECT_TRUE(QFileInfo(dir.filePath(u"taken"_s)).isDir());
    EXPECT_EQ(entries(), (QStringList{u"file.txt"_s, u"taken"_s}));
}

TEST(TextFile, ReadAllRefusesMissingAndOversizedFiles) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"f"_s);
    EXPECT_EQ(TextFile::readAll(path), std::nullopt);
    EXPECT_EQ(TextFile::readAll(dir.path()), std::nullopt);

    const QByteArray bytes(200 * 1024, 'x'); // several read chunks
    ASSERT_TRUE(TextFile::writeAtomically(path, bytes).ok);
    EXPECT_EQ(TextFile::readAll(path, bytes.size()), bytes);
    EXPECT_EQ(TextFile::readAll(path, bytes.size() - 1), std::nullopt);
}
