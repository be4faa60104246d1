// A folder exported as mbox, read back by Python's mailbox module as other mail programs would.
#include "store/mbox_export.h"
#include "store/saved_message_file.h"

#include "base/text_file.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The messages as Python reads them; a missing header is null.
QJsonArray readBack(const QString &mbox) {
    QProcess python;
    python.start(u"python3"_s,
                 {QStringLiteral(CORVALIS_SOURCE_DIR "/tests/unit/store/mbox_read_back.py"), mbox});
    EXPECT_TRUE(python.waitForFinished(30000) && python.exitCode() == 0)
        << python.readAllStandardError().data();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
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
        {u"Zoë Ärger <zoe@x.com>"_s, u"Crème brûlée – 🍰 and a subject long enough for more than one encoded word"_s,
         u"Sun, 12 Dec 2004 10:31:00 +0100"_s, u"Åsa <asa@x.com>"_s, {}, {}, u"<p>Grüße</p>"_s},
    };
    const QJsonArray expected = { // [envelope, From, To, Cc, Subject, Date, type, body] each
        QJsonArray{u"ann@x.com"_s, saved[0].from, saved[0].to, saved[0].cc, saved[0].subject, u"2004-12-05 10:31"_s,
         u"text/html;utf-8"_s, u"Hi<br>\nFrom here, >From there\n>From quoted\nbye"_s},
        QJsonArray{u"MAILER-DAEMON"_s, saved[1].from, saved[1].to, {}, {}, saved[1].date, u"text/html;utf-8"_s, u""_s},
        QJsonArray{u"zoe@x.com"_s, saved[2].from, saved[2].to, {}, saved[2].subject, u"2004-12-12 10:31"_s,
         u"text/html;utf-8"_s, u"<p>Grüße</p>"_s},
    };
    // clang-format on
    QTemporaryDir dir;
    for (const SavedMessage &message : saved)
        ASSERT_TRUE(TextFile::writeAtomically(
                        dir.filePath(SavedMessageFile::fileName(message, MessageKind::Captured)),
                        SavedMessageFile::content(message))
                        .ok);
    QFile(dir.filePath(u"notes.txt"_s)).open(QIODevice::WriteOnly);
    const QString mbox = dir.filePath(u"out/Work.mbox"_s);
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"out"_s));
    const MboxExportResult result = exportTo(dir.path(), mbox);
    EXPECT_TRUE(result.ok() && result.written == 3 && result.notMessages == 1);
    EXPECT_EQ(readBack(mbox), expected);

    // A cancel leaves no file; an empty folder gives an empty mailbox.
    EXPECT_EQ(exportTo(dir.path(), dir.filePath(u"c.mbox"_s), [](int, int) { return false; }).error,
              MboxExportResult::Error::Cancelled);
    EXPECT_FALSE(QFile::exists(dir.filePath(u"c.mbox"_s)));
    ASSERT_TRUE(exportTo(dir.filePath(u"out"_s), dir.filePath(u"empty.mbox"_s)).ok());
    EXPECT_EQ(readBack(dir.filePath(u"empty.mbox"_s)).size(), 0);
}
