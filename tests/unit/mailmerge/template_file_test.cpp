// Templates on disk, the fields merged into them and which rows a merge sends to.
#include "mailmerge/merge_fields.h"
#include "mailmerge/merge_plan.h"
#include "mailmerge/template_file.h"

#include "support/unit_files.h"

using namespace Qt::StringLiterals;
using TemplateFile::NameError;

TEST(TemplateFile, NamesAndTheirFiles) {
    QStringList files;
    std::vector<NameError> errors;
    for (const QString &name : {u"Offer"_s, u"Offer.TXT"_s, u"my.txt.old"_s, u"Été"_s, u"  "_s, u"../Offer"_s,
                                u".."_s, u"a\\b"_s, u"a\nb"_s, u"x"_s.repeated(260),
                                // 249 bytes: the file system takes it, its temporary name not
                                u"x"_s.repeated(245), u"x"_s.repeated(244)}) {
        files.append(TemplateFile::fileName(name).left(12));
        errors.push_back(TemplateFile::checkName(name));
    }
    EXPECT_EQ(files.join(u'|'), u"Offer.txt|Offer.TXT|my.txt.old|Été.txt|  .txt|../Offer.txt|...txt|a\\b.txt|"
                                u"a\nb.txt|xxxxxxxxxxxx|xxxxxxxxxxxx|xxxxxxxxxxxx"_s);
    using enum NameError;
    EXPECT_EQ(errors, (std::vector{None, None, None, None, Empty, Unsafe, Unsafe, Unsafe, Unsafe, TooLong,
                                   TooLong, None}));
}

TEST(TemplateFile, WriteAndReadRoundTrip) {
    TestFolder dir;
    const QString path = dir.path(u"t.txt"_s);
    const struct {
        const char *why;
        QString body, file, readBack;
    } cases[] = {
        {"one break added on reading", u"Dear <<Name>>,\r\nBye"_s, u"Hi\r\nDear <<Name>>,\r\nBye"_s,
         u"Dear <<Name>>,\r\nBye\r\n"_s},
        {"a final break is not doubled", u"Bye\r\n"_s, u"Hi\r\nBye\r\n"_s, u"Bye\r\n"_s},
        {"typed LF breaks are stored as CR LF", u"a\nb"_s, u"Hi\r\na\r\nb"_s, u"a\r\nb\r\n"_s},
        {"empty last lines survive", u"a\r\n\r\n"_s, u"Hi\r\na\r\n\r\n"_s, u"a\r\n\r\n"_s},
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
    TestFolder dir;
    using TemplateFile::ReadError;
    EXPECT_EQ(TemplateFile::read(dir.path(u"none.txt"_s)).error, ReadError::Missing);
    const QByteArray binary = QByteArray::fromHex("7f454c460001"); // an executable's first bytes
    EXPECT_EQ(TemplateFile::read(dir.write(u"bin.txt"_s, binary)).error, ReadError::NotText);
    EXPECT_EQ(TemplateFile::read(dir.write(u"Big.TXT"_s, QByteArray(10 << 20, 'a'))).error,
              ReadError::TooLarge);
    // Files made on Windows in its code page read as written.
    EXPECT_EQ(TemplateFile::read(dir.write(u"w.txt.old"_s, "Caf\xe9\r\nOl\xe9")).value->body, u"Olé\r\n"_s);
    dir.write(u"notes.md"_s, "x");
    QDir(dir.path()).mkdir(u"sub.txt"_s);
    EXPECT_EQ(TemplateFile::list(dir.path()), (QStringList{u"Big.TXT"_s, u"bin.txt"_s, u"w.txt.old"_s}));
    EXPECT_TRUE(TemplateFile::list(dir.path(u"missing"_s)).isEmpty());
    // A write that cannot be made reports why.
    EXPECT_FALSE(TemplateFile::write(dir.path(u"notes.md/t.txt"_s), {u"s"_s, u"b"_s}).isEmpty());
}

TEST(MergeFields, FieldsAreReplacedOnceFromTheLeft) {
    // Case, unknown fields and values as written are the merge run's integration test's.
    const QStringList titles{u"First"_s, u"Last"_s, u"Name"_s};
    const QStringList cells{u"Ann"_s, u""_s, u"<<Name>> & <<First>>"_s};
    const struct {
        const char *why;
        QString text, expected;
    } cases[] = {
        {"unknown fields stay as written, an unmatched << leaves the rest", u"Hi <<Nick>> <<First>> <<Last"_s,
         u"Hi <<Nick>> Ann <<Last"_s},
        {"a value holding fields is not searched again", u"<<Name>>!"_s, u"<<Name>> & <<First>>!"_s},
        {"a fallback fills an empty value", u"Dear <<Last|friend>>"_s, u"Dear friend"_s},
        {"a fallback is not used when there is a value", u"<<First|friend>>"_s, u"Ann"_s},
        {"an empty value without fallback; an empty name matches no column", u"[<<Last>>]<<>>"_s,
         u"[]<<>>"_s},
        {"the field starts at the last <<", u"<<<First>>>"_s, u"<Ann>"_s},
    };
    for (const auto &c : cases)
        EXPECT_EQ(MergeFields::mergeRow(c.text, titles, cells), c.expected) << c.why;
}

TEST(MergePlan, RangesAndTheCheckFindWhatTheUserShouldKnow) {
    // Rows as the grid shows them; the e-mail column is the third.
    const std::vector<QStringList> rows{{u"Ann"_s, u"Lee"_s, u"ann@x.org"_s},
                                        {u"Bob"_s, u""_s, u"Bob Hill"_s}, // a name is no address
                                        {u""_s, u"Kim"_s, u"kim@x.org"_s},
                                        {u"Dan"_s, u""_s, u"dan@x.org"_s}};
    const MergePlan::Book book{
        {u"First"_s, u"Last"_s, u"Email"_s}, 2, int(rows.size()), [&rows](int row) { return rows[row]; }};
    const MergePlan::Check check =
        MergePlan::check(book, {0, 3}, u"For <<first|you>>"_s, u"<<First>> <<Nick>> <<Nick>>"_s,
                         [](int, const QString &address) { return address == u"dan@x.org"_s; });
    EXPECT_EQ(check.rowsToSend, (std::vector<int>{0, 2}));
    const QString summary = MergePlan::summary(check);
    for (const QString &part : {u"2 emails will be sent."_s, u"earlier run are skipped: 4."_s,
                                u": <<Nick>>."_s, u"address are skipped: 2."_s, u"empty: row 3 (First)."_s})
        EXPECT_TRUE(summary.contains(part)) << part.toStdString() << summary.toStdString();
    // The rows a range covers.
    using MergePlan::Range;
    const struct {
        Range range;
        std::pair<int, int> selection;
        int first, last;
    } cases[] = {
        {Range::Selected, {4, 2}, 2, 4}, {Range::Selected, {-1, -1}, 0, -1}, {Range::All, {3, 3}, 0, 9}};
    for (const auto &c : cases) {
        const MergePlan::Rows rows = MergePlan::rowsFor(c.range, c.selection, 10);
        EXPECT_EQ(std::pair(rows.first, rows.last), std::pair(c.first, c.last)) << c.selection.first;
    }
}
