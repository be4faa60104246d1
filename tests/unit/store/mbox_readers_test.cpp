// Exported messages as a strict mail reader reads them: every mailbox, subject and body as it
// was saved, no header defect, and no line beyond what mail allows; and the same messages
// imported again from the mbox, from .eml files and from a Maildir.
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
    const auto row = [](const SavedMessage &m, const Case &c) {
        const QJsonValue cc = m.cc.isEmpty() ? QJsonValue() : QJsonArray{QJsonArray{u""_s, m.cc}};
        return QJsonArray{c.from,      c.to, cc, m.subject, QString(m.body).replace(u"\r\n"_s, u"\n"_s),
                          QJsonArray{}};
    };
    for (qsizetype i = 0; i < read.size(); ++i)
        EXPECT_EQ(read[i].toArray(), row(cases[i].saved, cases[i])) << i;

    // The same messages come back through an import, from the mbox, .eml files or a Maildir.
    const QDir root(dir.path());
    for (const char *folder :
         {"savedmgs/mbox", "savedmgs/eml", "savedmgs/maildir", "emls", "md/cur", "md/new"})
        ASSERT_TRUE(root.mkpath(QString::fromLatin1(folder)));
    for (int i = 0; i < 2; ++i) {
        const QByteArray entry = MboxWriter::entry(cases[i].saved, {}, LooseDate::Order::MonthFirst);
        const QByteArray message = entry.sliced(entry.indexOf('\n') + 1).chopped(1); // no separator
        ASSERT_TRUE(TextFile::writeAtomically(root.filePath(u"emls/%1.eml"_s.arg(i)), message).ok);
        ASSERT_TRUE(
            TextFile::writeAtomically(root.filePath(i ? u"md/cur/1:2,S"_s : u"md/new/2"_s), message).ok);
    }
    const auto moment = [](const QString &date) {
        return MboxWriter::readDate(date, LooseDate::Order::MonthFirst).value_or(QDateTime());
    };
    for (const auto &[source, folder] :
         {std::pair(mbox, u"mbox"_s), std::pair(root.filePath(u"emls"_s), u"eml"_s),
          std::pair(root.filePath(u"md"_s), u"maildir"_s)}) {
        SCOPED_TRACE(folder.toStdString());
        const ImportResult result = MessageImport::importInto(source, dir.path(), folder);
        EXPECT_TRUE(result.ok() && result.read == 2 && result.added == 2 && result.skipped.isEmpty());
        const QDir imported(root.filePath(u"savedmgs/"_s + folder));
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
