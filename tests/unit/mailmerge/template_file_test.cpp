#include "mailmerge/template_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using TemplateFile::NameError;

TEST(TemplateFile, NameGetsTxtUnlessItHoldsIt) {
    const struct {
        QString name, expected;
    } cases[] = {{u"Offer"_s, u"Offer.txt"_s},
                 {u"Offer.TXT"_s, u"Offer.TXT"_s},
                 {u"my.txt.old"_s, u"my.txt.old"_s},
                 {u"a.tx"_s, u"a.tx.txt"_s}};
    for (const auto &c : cases)
        EXPECT_EQ(TemplateFile::fileName(c.name), c.expected) << c.name.toStdString();
}

TEST(TemplateFile, NamesThatLeaveTheFolderAreRefused) {
    const struct {
        QString name;
        NameError expected;
    } cases[] = {{u"Offer"_s, NameError::None},
                 {u"  "_s, NameError::Empty},
                 {u"../Offer"_s, NameError::Unsafe},
                 {u"a/b"_s, NameError::Unsafe},
                 {u"a\\b"_s, NameError::Unsafe},
                 {u"a\nb"_s, NameError::Unsafe},
                 {u"x"_s.repeated(260), NameError::TooLong},
                 {u"Été à Zürich"_s, NameError::None}};
    for (const auto &c : cases)
        EXPECT_EQ(TemplateFile::checkName(c.name), c.expected) << c.name.toStdString();
}

TEST(TemplateFile, WriteAndReadRoundTrip) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.txt"_s);
    const struct {
        const char *why;
        QString body, file, readBack;
    } cases[] = {
        {"no final break: one is added on reading", u"Dear <<Name>>,\r\nBye"_s,
         u"Hello\r\nDear <<Name>>,\r\nBye"_s, u"Dear <<Name>>,\r\nBye\r\n"_s},
        {"a final break is kept, not doubled", u"Bye\r\n"_s, u"Hello\r\nBye\r\n"_s, u"Bye\r\n"_s},
        {"typed LF breaks are stored as CR LF", u"a\nb"_s, u"Hello\r\na\r\nb"_s, u"a\r\nb\r\n"_s},
        {"empty lines at the end survive", u"a\r\n\r\n"_s, u"Hello\r\na\r\n\r\n"_s, u"a\r\n\r\n"_s},
        {"non-ASCII text", u"Grüße, Zoë & <Ann>"_s, u"Hello\r\nGrüße, Zoë & <Ann>"_s,
         u"Grüße, Zoë & <Ann>\r\n"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        ASSERT_EQ(TemplateFile::write(path, {u"Hello"_s, c.body}), QString());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromUtf8(file.readAll()), c.file);
        file.close();
        const TemplateFile::ReadResult read = TemplateFile::read(path);
        ASSERT_TRUE(read.value);
        EXPECT_EQ(read.value->subject, u"Hello"_s);
        EXPECT_EQ(read.value->body, c.readBack);
        // Saving what was read adds nothing further.
        ASSERT_EQ(TemplateFile::write(path, *read.value), QString());
        EXPECT_EQ(TemplateFile::read(path).value->body, c.readBack);
    }
}

TEST(TemplateFile, BadFilesAreRefused) {
    QTemporaryDir dir;
    const auto make = [&dir](const QString &name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    EXPECT_EQ(TemplateFile::read(dir.filePath(u"none.txt"_s)).error, TemplateFile::ReadError::Missing);
    EXPECT_EQ(TemplateFile::read(make(u"bin.txt"_s, QByteArray("\x7f"
                                                               "ELF\0\0\x01",
                                                               7)))
                  .error,
              TemplateFile::ReadError::NotText);
    EXPECT_EQ(TemplateFile::read(make(u"big.txt"_s, QByteArray(10 * 1024 * 1024, 'a'))).error,
              TemplateFile::ReadError::TooLarge);
    // A file made on Windows in its code page reads as the user wrote it.
    const auto latin = TemplateFile::read(make(u"w.txt"_s, "Caf\xe9\r\nOl\xe9"));
    ASSERT_TRUE(latin.value);
    EXPECT_EQ(latin.value->subject, u"Café"_s);
    EXPECT_EQ(latin.value->body, u"Olé\r\n"_s);
    // A write into a folder that cannot be made reports why.
    make(u"file"_s, "x");
    EXPECT_FALSE(TemplateFile::write(dir.filePath(u"file/t.txt"_s), {u"s"_s, u"b"_s}).isEmpty());
}

TEST(TemplateFile, ListingShowsTemplateFilesSorted) {
    QTemporaryDir dir;
    for (const char *name : {"offer.txt", "Birthday.TXT", "notes.md", "zeta.txt.old"})
        QFile(dir.filePath(QString::fromLatin1(name))).open(QIODevice::WriteOnly);
    QDir(dir.path()).mkdir(u"sub.txt"_s);
    EXPECT_EQ(TemplateFile::list(dir.path()),
              (QStringList{u"Birthday.TXT"_s, u"offer.txt"_s, u"zeta.txt.old"_s}));
    EXPECT_TRUE(TemplateFile::list(dir.filePath(u"missing"_s)).isEmpty());
}
