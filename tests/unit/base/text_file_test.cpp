// Text files as the program reads and writes them, and the main directory it lays out.
#include "base/main_dir_install.h"
#include "base/text_file.h"

#include "support/unit_files.h"

using namespace Qt::StringLiterals;

TEST(TextFile, DecodesUtf8AndFallsBackToWindows1252) {
    const struct {
        QByteArray bytes;
        QString expected;
    } cases[] = {
        {"\xef\xbb\xbf\xef\xbb\xbfzo\xc3\xab", u"zoë"_s},   // byte-order marks dropped, however many
        {"\x93quoted\x94 \x80", u"\u201Cquoted\u201D €"_s}, // not UTF-8: Windows-1252
        {"\x81\x8d\x8f\x90\x9d", u"\u0081\u008D\u008F\u0090\u009D"_s}, // undefined in 1252, kept
        {"\xef\xbb\xbf\xff", u"\u00FF"_s},                             // mark dropped before the fallback too
        {QByteArray("a\0b", 3), QString(u"a\0b"_s)},
        {"\xed\xa0\x80", u"\u00ED\u00A0\u20AC"_s}, // an encoded surrogate is not UTF-8
        // Each line on its own, as when an older tool added a line to a UTF-8 file.
        {"Zo\xc3\xab\r\nJos\xe9\nCaf\xc3\xa9\rb\xc3\xa9\r\n", u"Zoë\r\nJosé\nCafé\rbé\r\n"_s},
        {QByteArray::fromHex("fffe6100e9000d000a00"), u"aé\r\n"_s}, // spreadsheet "Unicode Text"
        {QByteArray("\xfe\xff\xfe\xff\0a", 6), u"a"_s},      // big-endian, repeated marks dropped as in UTF-8
        {QByteArray::fromHex("fffe00d86100"), u"\uFFFDa"_s}, // half a surrogate pair: not kept
    };
    for (const auto &c : cases)
        EXPECT_EQ(TextFile::decode(c.bytes), c.expected) << c.bytes.toHex().toStdString();
    EXPECT_EQ(TextFile::encode(u"café €"_s), QByteArray("caf\xc3\xa9 \xe2\x82\xac"));
}

TEST(TextFile, SplitsOnEveryKindOfLineEnd) {
    const struct {
        QString text;
        QStringList expected;
    } cases[] = {
        {u"a\rb\r"_s, {u"a"_s, u"b"_s}},
        {u"a\n\r\nb"_s, {u"a"_s, u""_s, u"b"_s}},
        {u"a\n\rb"_s, {u"a"_s, u""_s, u"b"_s}}, // LF then CR is two line ends
        {u""_s, {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(TextFile::splitLines(c.text), c.expected)
            << QString(c.text).replace(u'\r', u"\\r"_s).replace(u'\n', u"\\n"_s).toStdString();
}

// A directory in the way of the file: the rename cannot replace it, even for root, and no temporary file is
// left (a full disk is the whole-files test's). A read stops at its limit.
TEST(TextFile, AWriteThatCannotReplaceTheFileFailsAndAReadStopsAtItsLimit) {
    TestFolder dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"taken"_s));
    EXPECT_FALSE(TextFile::writeAtomically(dir.path(u"taken"_s), "new").ok);
    EXPECT_TRUE(QFileInfo(dir.path(u"taken"_s)).isDir());
    EXPECT_EQ(dir.entries(), QStringList{u"taken"_s});
    const QByteArray bytes(200 * 1024, 'x'); // several read chunks
    const QString path = dir.write(u"f"_s, bytes);
    EXPECT_EQ(TextFile::readAll(path, bytes.size()), bytes);
    EXPECT_EQ(TextFile::readAll(path, bytes.size() - 1), std::nullopt);
}

TEST(MainDirInstallTest, RefreshesProgramFilesAndNeverOverwritesUserData) {
    TestFolder data, main;
    for (const auto &[folder, file, bytes] : {std::tuple(&data, "html/welcome.htm", "new welcome"),
                                              {&data, "addrbooks/Friends.csv", "shipped book"},
                                              {&data, "savedmgs/sent/.keep", ""},
                                              {&main, "html/welcome.htm", "old welcome"},
                                              {&main, "addrbooks/Friends.csv", "the user's edits"}})
        folder->write(QString::fromLatin1(file), bytes);

    const auto result = MainDirInstall::install(data.path(), main.path());
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(main.read(u"html/welcome.htm"_s), "new welcome");
    EXPECT_EQ(main.read(u"addrbooks/Friends.csv"_s), "the user's edits");
    EXPECT_EQ(main.entries(u"savedmgs/sent"_s), QStringList());
    EXPECT_TRUE(main.has(u"savedmgs/sent"_s));
    EXPECT_FALSE(MainDirInstall::install(data.path(u"absent"_s), main.path()).ok);
}
