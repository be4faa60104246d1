#include "mailmerge/template_file.h"

#include "base/text_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using TemplateFile::NameError;

TEST(TemplateFile, NamesAndTheirFiles) {
    QStringList files;
    std::vector<NameError> errors;
    for (const QString &name : {u"Offer"_s, u"Offer.TXT"_s, u"my.txt.old"_s, u"Été"_s, u"  "_s, u"../Offer"_s,
                                u".."_s, u"a\\b"_s, u"a\nb"_s, u"x"_s.repeated(260)}) {
        files.append(TemplateFile::fileName(name).left(12));
        errors.push_back(TemplateFile::checkName(name));
    }
    EXPECT_EQ(files.join(u'|'), u"Offer.txt|Offer.TXT|my.txt.old|Été.txt|  .txt|../Offer.txt|...txt|a\\b.txt|"
                                u"a\nb.txt|xxxxxxxxxxxx"_s);
    using enum NameError;
    EXPECT_EQ(errors, (std::vector{None, None, None, None, Empty, Unsafe, Unsafe, Unsafe, Unsafe, TooLong}));
}

TEST(TemplateFile, WriteAndReadRoundTrip) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.txt"_s);
    const struct {
        const char *why;
        QString body, file, readBack;
    } cases[] = {
        {"one break added on reading", u"Dear <<Name>>,\r\nBye"_s, u"Hi\r\nDear <<Name>>,\r\nBye"_s,
         u"Dear <<Name>>,\r\nBye\r\n"_s},
        {"a final break is not doubled", u"Bye\r\n"_s, u"Hi\r\nBye\r\n"_s, u"Bye\r\n"_s},
        {"typed LF breaks are stored as CR LF", u"a\nb"_s, u"Hi\r\na\r\nb"_s, u"a\r\nb\r\n"_s},
        {"empty last lines survive", u"a\r\n\r\n"_s, u"Hi\r\na\r\n\r\n"_s, u"a\r\n\r\n"_s},
        {"non-ASCII", u"Grüße & <Zoë>"_s, u"Hi\r\nGrüße & <Zoë>"_s, u"Grüße & <Zoë>\r\n"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        ASSERT_EQ(TemplateFile::write(path, {u"Hi"_s, c.body}), QString());
        EXPECT_EQ(QString::fromUtf8(TextFile::readAll(path).value_or("-")), c.file);
        const auto read = TemplateFile::read(path).value;
        ASSERT_TRUE(read);
        EXPECT_EQ(read->subject + u'|' + read->body, u"Hi|"_s + c.readBack);
        ASSERT_EQ(TemplateFile::write(path, *read), QString()); // saved again: nothing added
        EXPECT_EQ(TemplateFile::read(path).value->body, c.readBack);
    }
}

TEST(TemplateFile, BadFilesAndListing) {
    QTemporaryDir dir;
    const auto make = [&dir](const char *name, const QByteArray &bytes) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(TextFile::writeAtomically(path, bytes).ok);
        return path;
    };
    using TemplateFile::ReadError;
    EXPECT_EQ(TemplateFile::read(dir.filePath(u"none.txt"_s)).error, ReadError::Missing);
    const QByteArray binary = QByteArray::fromHex("7f454c460001"); // an executable's first bytes
    EXPECT_EQ(TemplateFile::read(make("bin.txt", binary)).error, ReadError::NotText);
    EXPECT_EQ(TemplateFile::read(make("Big.TXT", QByteArray(10 << 20, 'a'))).error, ReadError::TooLarge);
    // Files made on Windows in its code page read as written.
    EXPECT_EQ(TemplateFile::read(make("w.txt.old", "Caf\xe9\r\nOl\xe9")).value->body, u"Olé\r\n"_s);
    make("notes.md", "x");
    QDir(dir.path()).mkdir(u"sub.txt"_s);
    EXPECT_EQ(TemplateFile::list(dir.path()), (QStringList{u"Big.TXT"_s, u"bin.txt"_s, u"w.txt.old"_s}));
    EXPECT_TRUE(TemplateFile::list(dir.filePath(u"missing"_s)).isEmpty());
    // A write that cannot be made reports why.
    EXPECT_FALSE(TemplateFile::write(dir.filePath(u"notes.md/t.txt"_s), {u"s"_s, u"b"_s}).isEmpty());
}
