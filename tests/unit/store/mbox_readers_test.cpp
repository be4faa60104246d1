// Exported messages as a strict mail reader reads them: every mailbox, subject and body as it
// was saved, no header defect, and no line beyond what mail allows.
#include "store/mbox_export.h"
#include "store/saved_message_file.h"

#include "base/text_file.h"

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
