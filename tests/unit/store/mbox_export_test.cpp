// A folder exported as mbox and read back by Python's mailbox module, then imported again.
#include "store/address_text.h"
#include "store/mbox_export.h"
#include "store/mbox_writer.h"
#include "store/message_import.h"
#include "store/saved_message_file.h"

#include "base/text_file.h"
#include "main_dir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

#include <array>

using namespace Qt::StringLiterals;

namespace {

// The messages as a Python script (beside this file) reads them.
QJsonArray readBack(const char *script, const QString &mbox) {
    QProcess python;
    python.start(u"python3"_s,
                 {QStringLiteral(CORVALIS_SOURCE_DIR "/tests/unit/store/") + QLatin1String(script), mbox});
    EXPECT_TRUE(python.waitForFinished(30000) && python.exitCode() == 0)
        << python.readAllStandardError().data();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
}

void writeFolder(const TestFolder &dir, const QString &folder, const auto &messages) {
    for (const SavedMessage &message : messages)
        dir.write(folder + u'/' + SavedMessageFile::fileName(message, MessageKind::Captured),
                  SavedMessageFile::content(message));
}

MboxExportResult exportTo(const QString &folder, const QString &mbox, MboxExport::Progress progress = {}) {
    return MboxExport::exportFolder(folder, mbox, LooseDate::Order::MonthFirst, progress);
}

} // namespace

TEST(MboxExport, MailReadersReadEveryHeaderAndBodyBack) {
    // clang-format off
    const SavedMessage saved[] = { // in the order of their file names, the export's order
        {u"Ann Lee <ann@x.com>"_s, u"Lunch plans"_s, u"12/05/2004 10:31"_s, u"bob@x.com"_s, u"c@x.com, d@x.com"_s,
         u"hidden@x.com"_s, u"Hi<br>\r\nFrom here, >From there\r\n>From quoted\r\nbye"_s},
        {u"Sent Message"_s, {}, u"sometime last week"_s, u"kim@x.com"_s, {}, {}, {}},
    }; // encoded words and a dated header: the strict reader's test below
    const QJsonArray expected = { // [envelope, From, To, Cc, Subject, Date, type, body] each
        QJsonArray{u"ann@x.com"_s, saved[0].from, saved[0].to, saved[0].cc, saved[0].subject, u"2004-12-05 10:31"_s,
         u"text/html;utf-8"_s, u"Hi<br>\nFrom here, >From there\n>From quoted\nbye"_s},
        QJsonArray{u"MAILER-DAEMON"_s, saved[1].from, saved[1].to, {}, {}, saved[1].date, u"text/html;utf-8"_s, u""_s},
    };
    // clang-format on
    TestFolder dir;
    writeFolder(dir, u"in"_s, saved);
    dir.write(u"in/notes.txt"_s, {});
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"out"_s));
    const QString mbox = dir.path(u"out/Work.mbox"_s);
    const MboxExportResult result = exportTo(dir.path(u"in"_s), mbox);
    EXPECT_TRUE(result.ok() && result.written == 2 && result.notMessages == 1);
    EXPECT_EQ(readBack("mbox_read_back.py", mbox), expected);

    // A cancel leaves no file; an empty folder gives an empty mailbox.
    EXPECT_EQ(exportTo(dir.path(u"in"_s), dir.path(u"c.mbox"_s), [](int, int) { return false; }).error,
              MboxExportResult::Error::Cancelled);
    EXPECT_FALSE(dir.has(u"c.mbox"_s));
    ASSERT_TRUE(exportTo(dir.path(u"out"_s), dir.path(u"empty.mbox"_s)).ok());
    EXPECT_EQ(readBack("mbox_read_back.py", dir.path(u"empty.mbox"_s)).size(), 0);
}

TEST(MboxReaders, StrictReaderGetsEveryMailboxSubjectAndBody) {
    QString manyTo;
    QJsonArray manyMailboxes;
    for (int i = 0; manyTo.size() < 1800; ++i) {
        manyTo += u"Person Number %1 <person%1@example.com>, "_s.arg(i);
        manyMailboxes.append(QJsonArray{u"Person Number %1"_s.arg(i), u"person%1@example.com"_s.arg(i)});
    }
    manyTo.chop(2);
    const QString longLine = QString(3000, u'w') + u" end"_s;
    struct Case {
        SavedMessage saved;
        QJsonArray from, to; // [name, address] pairs
    };
    // clang-format off
    const Case cases[] = { // in the order of their file names
        {{u"Doe, John <jd@example.com>"_s, u"literal =?utf-8?q?text?= in subject"_s, u"12/05/2004 10:31"_s,
          u"\"Müller, Jörg\" <jm@example.com>, Zoë<zoe@example.com>"_s, u"cc@example.com"_s, {},
          u"<p>Hi</p>\r\nFrom here on\r\n>From there"_s},
         {QJsonArray{u"Doe, John"_s, u"jd@example.com"_s}},
         {QJsonArray{u"Müller, Jörg"_s, u"jm@example.com"_s}, QJsonArray{u"Zoë"_s, u"zoe@example.com"_s}}},
        {{u"Jürgen <juergen@bücher.example>"_s, u"Crème brûlée – 🍰 and a subject long enough for several encoded words"_s,
          u"Sun, 12 Dec 2004 10:31:00 +0100"_s, manyTo, {}, {}, longLine},
         {QJsonArray{u"Jürgen"_s, u"juergen@xn--bcher-kva.example"_s}}, manyMailboxes},
    };
    // clang-format on
    MainDir dir({u"mbox"_s, u"eml"_s, u"maildir"_s}); // the import's folders
    writeFolder(dir, u"folder"_s, std::array{cases[0].saved, cases[1].saved});
    const QString mbox = dir.path(u"out.mbox"_s);
    ASSERT_TRUE(exportTo(dir.path(u"folder"_s), mbox).ok());

    for (const QByteArray &line : TextFile::readAll(mbox, 1 << 20).value_or("").split('\n'))
        EXPECT_LE(line.size(), 998) << line.left(60).data();
    const QJsonArray read = readBack("mbox_strict_read.py", mbox);
    ASSERT_EQ(read.size(), std::size(cases));
    const auto row = [](const SavedMessage &m, const Case &c) {
        const QJsonValue cc = m.cc.isEmpty() ? QJsonValue() : QJsonArray{QJsonArray{u""_s, m.cc}};
        return QJsonArray{c.from,      c.to, cc, m.subject, QString(m.body).replace(u"\r\n"_s, u"\n"_s),
                          QJsonArray{}};
    };
    for (qsizetype i = 0; i < read.size(); ++i)
        EXPECT_EQ(read[i].toArray(), row(cases[i].saved, cases[i])) << i;

    // The same messages come back through an import, from the mbox, .eml files or a Maildir.
    for (int i = 0; i < 2; ++i) {
        const QByteArray entry = MboxWriter::entry(cases[i].saved, {}, LooseDate::Order::MonthFirst);
        const QByteArray message = entry.sliced(entry.indexOf('\n') + 1).chopped(1); // no separator
        dir.write(u"emls/%1.eml"_s.arg(i), message);
        dir.write(i ? u"md/cur/1:2,S"_s : u"md/new/2"_s, message);
    }
    const auto moment = [](const QString &date) {
        return MboxWriter::readDate(date, LooseDate::Order::MonthFirst).value_or(QDateTime());
    };
    for (const auto &[source, folder] : {std::pair(mbox, u"mbox"_s), std::pair(dir.path(u"emls"_s), u"eml"_s),
                                         std::pair(dir.path(u"md"_s), u"maildir"_s)}) {
        SCOPED_TRACE(folder.toStdString());
        const ImportResult result = MessageImport::importInto(source, dir.path(), folder);
        EXPECT_TRUE(result.ok() && result.read == 2 && result.added == 2 && result.skipped.isEmpty());
        const QDir imported(dir.path(u"savedmgs/"_s + folder));
        const QStringList names = imported.entryList(QDir::Files, QDir::Name);
        ASSERT_EQ(names.size(), 2);
        for (int i = 0; i < 2; ++i) {
            const SavedMessage back =
                *SavedMessageFile::read(*TextFile::readAll(imported.filePath(names[i])));
            Case c{back, {}, {}};
            for (QJsonArray *pairs : {&c.from, &c.to})
                for (const MimeText::Mailbox &m :
                     AddressText::mailboxes(pairs == &c.from ? back.from : back.to)
                         .value_or(QList<MimeText::Mailbox>{}))
                    pairs->append(QJsonArray{m.name, m.address});
            EXPECT_EQ(row(back, c), row(cases[i].saved, cases[i])) << i;
            EXPECT_EQ(moment(back.date), moment(cases[i].saved.date)) << i;
        }
    }
}
