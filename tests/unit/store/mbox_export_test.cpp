// A folder exported as mbox, read back by Python's mailbox module as other mail programs would.
#include "store/mbox_export.h"
#include "store/saved_message_file.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The messages of an mbox file as Python reads them.
QJsonArray readBack(const QString &mbox) {
    QProcess python;
    python.start(u"python3"_s,
                 {QStringLiteral(CORVALIS_SOURCE_DIR "/tests/unit/store/mbox_read_back.py"), mbox});
    EXPECT_TRUE(python.waitForFinished(30000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
}

void add(const QString &folder, const QString &name, const QByteArray &bytes) {
    QFile file(folder + u'/' + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST(MboxExport, MailReadersReadEveryHeaderAndBodyBack) {
    // In the order of their file names, the export's order.
    const struct {
        SavedMessage saved;
        const char *envelope, *date, *body;
    } cases[] = {
        {{u"Ann Lee <ann@example.com>"_s, u"Lunch plans"_s, u"12/05/2004 10:31"_s, u"bob@example.com"_s,
          u"carl@example.com, dan@example.com"_s, u"hidden@example.com"_s,
          u"Hello<br>\r\nFrom here on, >From there\r\n>From quoted\r\nbye"_s},
         "ann@example.com",
         "2004-12-05 10:31",
         "Hello<br>\n>From here on, >From there\n>>From quoted\nbye\n"},
        {{u"Sent Message"_s, u""_s, u"sometime last week"_s, u"kim@example.com"_s, {}, {}, u""_s},
         "MAILER-DAEMON",
         "sometime last week",
         "\n"},
        {{u"Zoë Ärger <zoe@example.com>"_s,
          u"Crème brûlée – 🍰 and a subject long enough to need more than one encoded word, or three"_s,
          u"Sun, 12 Dec 2004 10:31:00 +0100"_s,
          u"Åsa <asa@example.com>"_s,
          {},
          {},
          u"<p>Grüße</p>"_s},
         "zoe@example.com",
         "2004-12-12 10:31",
         "<p>Grüße</p>\n"},
    };
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"Work"_s);
    QDir().mkpath(folder);
    for (const auto &c : cases)
        add(folder, SavedMessageFile::fileName(c.saved, MessageKind::Captured),
            SavedMessageFile::content(c.saved));
    add(folder, u"notes.txt"_s, "not a message");

    const QString mbox = dir.filePath(u"Work.mbox"_s);
    const MboxExportResult result = MboxExport::exportFolder(folder, mbox, LooseDate::Order::MonthFirst);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.written, 3);
    EXPECT_EQ(result.notMessages, 1);
    const QJsonArray messages = readBack(mbox);
    ASSERT_EQ(messages.size(), 3);
    for (qsizetype i = 0; i < 3; ++i) {
        const auto &c = cases[i];
        SCOPED_TRACE(c.saved.from.toStdString());
        const QJsonObject read = messages[i].toObject();
        const auto text = [&read](const char *key) { return read[QLatin1String(key)].toString(u"<none>"_s); };
        EXPECT_EQ(text("envelope"), QLatin1String(c.envelope));
        EXPECT_EQ(text("from"), c.saved.from);
        EXPECT_EQ(text("to"), c.saved.to);
        EXPECT_EQ(text("cc"), c.saved.cc.isEmpty() ? u"<none>"_s : c.saved.cc);
        EXPECT_EQ(text("subject"), c.saved.subject.isEmpty() ? u"<none>"_s : c.saved.subject);
        EXPECT_EQ(text("date"), QLatin1String(c.date));
        EXPECT_EQ(text("type"), u"text/html;utf-8"_s);
        EXPECT_EQ(text("body"), QString::fromUtf8(c.body));
    }
}

TEST(MboxExport, AnEmptyFolderGivesAnEmptyMailboxAndACancelLeavesNoFile) {
    QTemporaryDir dir;
    const QString mbox = dir.filePath(u"empty.mbox"_s);
    ASSERT_TRUE(MboxExport::exportFolder(dir.path(), mbox, LooseDate::Order::MonthFirst).ok());
    EXPECT_EQ(readBack(mbox).size(), 0);

    const QString folder = dir.filePath(u"Work"_s);
    QDir().mkpath(folder);
    const SavedMessage saved{u"Ann"_s, u"s"_s, u"d"_s, u"t"_s, {}, {}, u"b"_s};
    add(folder, SavedMessageFile::fileName(saved, MessageKind::Captured), SavedMessageFile::content(saved));
    const QString cancelled = dir.filePath(u"cancelled.mbox"_s);
    const MboxExportResult result = MboxExport::exportFolder(folder, cancelled, LooseDate::Order::MonthFirst,
                                                             [](int, int) { return false; });
    EXPECT_EQ(result.error, MboxExportResult::Error::Cancelled);
    EXPECT_FALSE(QFile::exists(cancelled));
    // A target the file system refuses is reported.
    EXPECT_EQ(
        MboxExport::exportFolder(folder, dir.filePath(u"no/such/dir/x.mbox"_s), LooseDate::Order::MonthFirst)
            .error,
        MboxExportResult::Error::WriteFailed);
}
