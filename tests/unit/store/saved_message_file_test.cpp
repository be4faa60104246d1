#include "store/saved_message_file.h"

#include "store/message_name.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace SavedMessageFile;

SavedMessage captured(QString from, QString subject, QString date, QString to) {
    return {std::move(from), std::move(subject), std::move(date), std::move(to), {}, {}, {}};
}

QString name(const SavedMessage &message, MessageKind kind = MessageKind::Captured) {
    return fileName(message, kind);
}

struct StoreDir {
    QTemporaryDir dir;
    StoreDir() {
        QDir(dir.path()).mkpath(QStringLiteral("savedmgs/Saved"));
        QDir(dir.path()).mkpath(QStringLiteral("savedmgs/sent"));
    }
    QString mainDir() const { return dir.path() + u'/'; }
    QStringList files(const QString &folder) const {
        return QDir(dir.path() + QStringLiteral("/savedmgs/") + folder).entryList(QDir::Files);
    }
};

TEST(SavedMessageFileName, CutsSubjectAfterSixtyAndToAfterTwentyCharacters) {
    const QString s60 = QString(60, u's');
    const QString t20 = QString(20, u't');
    struct Case {
        const char *why;
        QString subject, to, expected;
    } cases[] = {
        {"both at their limit stay whole", s60, t20,
         QStringLiteral("A&&") + s60 + QStringLiteral("&&d&&") + t20},
        {"one more character is cut with ...", s60 + u'x', t20 + u'y',
         QStringLiteral("A&&") + s60 + QStringLiteral("...&&d&&") + t20 + QStringLiteral("...")},
        {"a cut never splits a character outside the basic plane",
         QString(59, u's') + QString::fromUtf8("\xF0\x9F\x98\x80") + u'z', t20,
         QStringLiteral("A&&") + QString(59, u's') + QString::fromUtf8("\xF0\x9F\x98\x80") +
             QStringLiteral("...&&d&&") + t20},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(name(captured(QStringLiteral("A"), c.subject, QStringLiteral("d"), c.to)),
                  c.expected + QStringLiteral(".htm"));
    }
}

TEST(SavedMessageFileName, CleansDatesAndCharactersTheFileSystemRefuses) {
    struct Case {
        const char *why;
        SavedMessage message;
        MessageKind kind;
        QString expected;
    } cases[] = {
        {"date characters are kept in a form the list turns back",
         captured("Ann", "Hello", "12/05/2004 10:31", "Bob"), MessageKind::Captured,
         "Ann&&Hello&&12#05#2004 10^31&&Bob.htm"},
        {"brackets of an address become spaces, From is never cut at 20",
         captured("Ann Smith <ann.smith@example.com>", "x", "d", "Bob <b@x>"), MessageKind::Captured,
         "Ann Smith  ann.smith@example.com &&x&&d&&Bob  b@x.htm"},
        {"':' and '/' become spaces, '?' goes", captured("A", "Re: a/b?", "d", "B"), MessageKind::Captured,
         "A&&Re  a b&&d&&B.htm"},
        {"quotes, '*' and '\\' and the outer spaces go; '|' and '&' stay",
         captured("  \"Ann\" | Co*", "a\\b & c", "d", "Bob  "), MessageKind::Captured,
         "Ann | Co&&a b & c&&d&&Bob.htm"},
        {"the To cut happens before cleaning: a '<' inside the first 20 counts",
         captured("A", "s", "d", "<12345678901234567890>"), MessageKind::Captured,
         "A&&s&&d&& 1234567890123456789....htm"},
        {"a sent copy is named by its recipients and ends in 'sent message'",
         captured("Sent Message", "Hi: there", "12/05/2004 10:31:02", "bob@example.com, carl@example.com"),
         MessageKind::Sent, "bob@example.com, car...&&Hi  there&&12#05#2004 10^31^02&&sent message.htm"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(name(c.message, c.kind), c.expected);
    }
}

TEST(SavedMessageFileName, ShortensOnlyFromToFitTheNameLimitAndStillLists) {
    const SavedMessage message = captured(QString(300, u'f'), QStringLiteral("Hello"),
                                          QStringLiteral("12/05/2004 10:31"), QStringLiteral("Bob"));
    const QString shortened = name(message);
    EXPECT_EQ(shortened.toUtf8().size(), maxNameBytes);
    EXPECT_TRUE(shortened.endsWith(QStringLiteral("&&Hello&&12#05#2004 10^31&&Bob.htm")));

    // Multi-byte characters are dropped whole, even if that leaves a byte to spare.
    const QString wide = name(
        captured(QString(200, QChar(0x00E9)), QStringLiteral("s"), QStringLiteral("d"), QStringLiteral("t")));
    EXPECT_LE(wide.toUtf8().size(), maxNameBytes);
    EXPECT_GE(wide.toUtf8().size(), maxNameBytes - 1);
    EXPECT_TRUE(wide.startsWith(QChar(0x00E9)));

    const std::optional<MessageName> listed = MessageName::parse(shortened, LooseDate::Order::MonthFirst);
    ASSERT_TRUE(listed.has_value());
    EXPECT_EQ(listed->subject, QStringLiteral("Hello"));
    EXPECT_EQ(listed->to, QStringLiteral("Bob"));
    EXPECT_EQ(listed->date, QStringLiteral("12/05/2004"));
}

TEST(SavedMessageFileContent, HasTheExactLinesWithAddressesEscaped) {
    SavedMessage message{QStringLiteral("Ann <ann@x.org>"), QStringLiteral("a <b> & c"),
                         QStringLiteral("12/05/2004"),      QStringLiteral("Bob <b@y> & Co"),
                         QStringLiteral("<c@z>"),           QString(),
                         QStringLiteral("line<br>\r\nend")};
    const QByteArray expected =
        "<html>\r\n<body>\r\n"
        "<div id=from><font face=arial size=2><b>From:&nbsp;</b>Ann &lt;ann@x.org&gt;</font></div>\r\n"
        "<div id=replyto><font face=arial size=2><b>Reply-to:&nbsp;</b>Ann &lt;ann@x.org&gt;</font></div>\r\n"
        "<div id=to><font face=arial size=2><b>To:&nbsp;</b>Bob &lt;b@y&gt; & Co</font></div>\r\n"
        "<div id=cc><font face=arial size=2><b>Cc:&nbsp;</b>&lt;c@z&gt;</font></div>\r\n"
        "<div id=bcc><font face=arial size=2><b>Bcc:&nbsp;</b></font></div>\r\n"
        "<div id=subject><font face=arial size=2><b>Subject:&nbsp;</b>a <b> & c</font></div>\r\n"
        "<div id=date><font face=arial size=2><b>Date:&nbsp;</b>12/05/2004</font></div>\r\n"
        "<div id=body><font face=arial>\r\n"
        "line<br>\r\nend</font></div>\r\n";
    EXPECT_EQ(content(message), expected);

    // Non-ASCII text is written as UTF-8.
    message.body = QString::fromUtf8("Grüße");
    EXPECT_TRUE(content(message).contains("Gr\xC3\xBC\xC3\x9F"
                                          "e</font></div>\r\n"));
}

TEST(WriteSavedMessage, WritesOverwritesAndRefusesTheSentFolder) {
    StoreDir store;
    const SavedMessage message = captured("Ann <a@x>", "Hello", "12/05/2004 10:31", "Bob");
    SaveResult result =
        writeSavedMessage(store.mainDir(), QStringLiteral("Saved"), message, MessageKind::Captured);
    ASSERT_TRUE(result.ok()) << result.detail.toStdString();
    EXPECT_EQ(store.files(QStringLiteral("Saved")),
              QStringList{QStringLiteral("Ann  a@x &&Hello&&12#05#2004 10^31&&Bob.htm")});

    // The same message again replaces the file.
    SavedMessage again = message;
    again.body = QStringLiteral("second");
    ASSERT_TRUE(
        writeSavedMessage(store.mainDir(), QStringLiteral("Saved"), again, MessageKind::Captured).ok());
    EXPECT_EQ(store.files(QStringLiteral("Saved")).size(), 1);
    QFile file(result.path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), content(again));

    for (const char *folder : {"sent", "SENT", "Sent"}) {
        SCOPED_TRACE(folder);
        result =
            writeSavedMessage(store.mainDir(), QString::fromLatin1(folder), message, MessageKind::Captured);
        EXPECT_EQ(result.error, SaveResult::Error::SentFolder);
    }
    EXPECT_TRUE(store.files(QStringLiteral("sent")).isEmpty());
}

TEST(WriteSavedMessage, SentCopiesGoToSentWhateverFolderIsGiven) {
    StoreDir store;
    SavedMessage message = captured(sentFrom, "Hi", "12/05/2004 10:31:02", "bob@x");
    const SaveResult result =
        writeSavedMessage(store.mainDir(), QStringLiteral("Saved"), message, MessageKind::Sent);
    ASSERT_TRUE(result.ok());
    EXPECT_TRUE(store.files(QStringLiteral("Saved")).isEmpty());
    EXPECT_EQ(store.files(QStringLiteral("sent")),
              QStringList{QStringLiteral("bob@x&&Hi&&12#05#2004 10^31^02&&sent message.htm")});
}

TEST(WriteSavedMessage, FailsWithoutWritingOutsideTheStore) {
    StoreDir store;
    const SavedMessage message = captured("A", "s", "d", "t");
    for (const char *folder : {"Missing", "..", "../savedmgs", "", "."}) {
        SCOPED_TRACE(folder);
        const SaveResult result =
            writeSavedMessage(store.mainDir(), QString::fromLatin1(folder), message, MessageKind::Captured);
        EXPECT_EQ(result.error, SaveResult::Error::WriteFailed);
    }
    EXPECT_EQ(QDir(store.dir.path()).entryList(QDir::Files).size(), 0);
    EXPECT_EQ(QDir(store.dir.path() + QStringLiteral("/savedmgs")).entryList(QDir::Files).size(), 0);
}

TEST(WriteSavedMessage, ALongFromIsShortenedSoTheFileCanBeWritten) {
    StoreDir store;
    // Without shortening this name passes the file system's 255-byte limit.
    const SavedMessage message = captured(QString(120, QChar(0x00E9)), QStringLiteral("Hello"),
                                          QStringLiteral("12/05/2004 10:31"), QStringLiteral("Bob"));
    const SaveResult result =
        writeSavedMessage(store.mainDir(), QStringLiteral("Saved"), message, MessageKind::Captured);
    ASSERT_TRUE(result.ok()) << result.detail.toStdString();
    EXPECT_TRUE(QFile::exists(result.path));

    // A name of exactly the longest length can be written, and replaced (through a longer
    // temporary name).
    const SavedMessage exact = captured(QString(maxNameBytes - 13, u'f'), QStringLiteral("s"),
                                        QStringLiteral("d"), QStringLiteral("t"));
    ASSERT_EQ(fileName(exact, MessageKind::Captured).toUtf8().size(), maxNameBytes);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        const SaveResult written =
            writeSavedMessage(store.mainDir(), QStringLiteral("Saved"), exact, MessageKind::Captured);
        EXPECT_TRUE(written.ok()) << written.detail.toStdString();
    }
}

} // namespace
