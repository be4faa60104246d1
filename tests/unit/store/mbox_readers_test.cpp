// Exported messages as a strict mail reader reads them: every mailbox, subject and body as it
// was saved, no header defect, and no line beyond what mail allows.
#include "store/address_text.h"
#include "store/mbox_export.h"
#include "store/mbox_writer.h"
#include "store/message_import.h"
#include "store/saved_message_file.h"

#include "base/text_file.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

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
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"folder"_s));
    for (const Case &c : cases)
        ASSERT_TRUE(
            TextFile::writeAtomically(
                dir.filePath(u"folder/"_s + SavedMessageFile::fileName(c.saved, MessageKind::Captured)),
                SavedMessageFile::content(c.saved))
                .ok);
    const QString mbox = dir.filePath(u"out.mbox"_s);
    ASSERT_TRUE(MboxExport::exportFolder(dir.filePath(u"folder"_s), mbox, LooseDate::Order::MonthFirst).ok());

    for (const QByteArray &line : TextFile::readAll(mbox, 1 << 20).value_or("").split('\n'))
        EXPECT_LE(line.size(), 998) << line.left(60).data();
    QProcess python;
    python.start(u"python3"_s,
                 {QStringLiteral(CORVALIS_SOURCE_DIR "/tests/unit/store/mbox_strict_read.py"), mbox});
    ASSERT_TRUE(python.waitForFinished(30000) && python.exitCode() == 0)
        << python.readAllStandardError().data();
    const QJsonArray read = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
    ASSERT_EQ(read.size(), std::size(cases));
    for (qsizetype i = 0; i < read.size(); ++i) {
        SCOPED_TRACE(i);
        const Case &c = cases[i];
        QString body = c.saved.body;
        const QJsonArray cc = c.saved.cc.isEmpty() ? QJsonArray{} : QJsonArray{QJsonArray{u""_s, c.saved.cc}};
        EXPECT_EQ(read[i].toArray(),
                  (QJsonArray{c.from, c.to, c.saved.cc.isEmpty() ? QJsonValue() : QJsonValue(cc),
                              c.saved.subject, body.replace(u"\r\n"_s, u"\n"_s), QJsonArray{}}));
    }
}

// What an export writes comes back through an import, from an mbox, .eml files or a Maildir.
TEST(MessageImport, AnExportedFolderComesBackFromEachKindOfSource) {
    const SavedMessage saved[] = {{u"Doe, John <jd@example.com>"_s,
                                   u"literal =?utf-8?q?text?= in subject"_s,
                                   u"Sun, 12 Dec 2004 10:31:00 +0100"_s,
                                   u"\"Müller, Jörg\" <jm@example.com>, zoe@example.com"_s,
                                   u"cc@example.com"_s,
                                   {},
                                   u"<p>Hi</p>\r\nFrom here"_s},
                                  {u"Zoë <zoe@example.com>"_s,
                                   u"Crème brûlée – 🍰"_s,
                                   u"Mon, 13 Dec 2004 10:31:00 +0100"_s,
                                   u"a@example.com"_s,
                                   {},
                                   {},
                                   QString(3000, u'w')}};
    QTemporaryDir dir;
    const QDir root(dir.path());
    for (const char *folder :
         {"savedmgs/mbox", "savedmgs/eml", "savedmgs/maildir", "emls", "md/cur", "md/new"})
        ASSERT_TRUE(root.mkpath(QString::fromLatin1(folder)));
    QByteArray mbox;
    for (int i = 0; i < 2; ++i) {
        const QByteArray entry = MboxWriter::entry(saved[i], {}, LooseDate::Order::MonthFirst);
        mbox += entry;
        const QByteArray message = entry.sliced(entry.indexOf('\n') + 1).chopped(1); // no separator
        ASSERT_TRUE(TextFile::writeAtomically(root.filePath(u"emls/%1.eml"_s.arg(i)), message).ok);
        ASSERT_TRUE(
            TextFile::writeAtomically(root.filePath(i ? u"md/cur/1:2,S"_s : u"md/new/2"_s), message).ok);
    }
    ASSERT_TRUE(TextFile::writeAtomically(root.filePath(u"in.mbox"_s), mbox).ok);
    const struct {
        const char *source, *folder;
    } sources[] = {{"in.mbox", "mbox"}, {"emls", "eml"}, {"md", "maildir"}};
    for (const auto &source : sources) {
        SCOPED_TRACE(source.source);
        const QString folder = QString::fromLatin1(source.folder);
        const ImportResult result =
            MessageImport::importInto(root.filePath(QString::fromLatin1(source.source)), dir.path(), folder);
        EXPECT_TRUE(result.ok() && result.read == 2 && result.added == 2 && result.skipped.isEmpty());
        const QDir imported(root.filePath(u"savedmgs/"_s + folder));
        const QStringList names = imported.entryList(QDir::Files, QDir::Name);
        ASSERT_EQ(names.size(), 2);
        for (int i = 0; i < 2; ++i) {
            const SavedMessage back =
                *SavedMessageFile::read(*TextFile::readAll(imported.filePath(names[i])));
            const SavedMessage &sent = saved[names[i].startsWith(u'Z') ? 1 : 0];
            const auto mailboxes = [](const QString &text) {
                QStringList out;
                for (const MimeText::Mailbox &m :
                     AddressText::mailboxes(text).value_or(QList<MimeText::Mailbox>{}))
                    out << m.name << m.address;
                return out;
            };
            const auto moment = [](const QString &date) { // the export writes the date its own way
                return MboxWriter::readDate(date, LooseDate::Order::MonthFirst).value_or(QDateTime());
            };
            EXPECT_EQ(std::tuple(mailboxes(back.from), mailboxes(back.to), mailboxes(back.cc), back.subject,
                                 moment(back.date)),
                      std::tuple(mailboxes(sent.from), mailboxes(sent.to), mailboxes(sent.cc), sent.subject,
                                 moment(sent.date)));
            EXPECT_EQ(back.body, QString(sent.body).replace(u"\r\n"_s, u"\n"_s));
        }
    }
}
