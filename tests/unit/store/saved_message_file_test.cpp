#include "store/saved_message_file.h"

#include "base/text_file.h"
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

TEST(SavedMessageFileName, CutsLongPartsAndCleansCharactersTheFileSystemRefuses) {
    const QString s60(60, u's'), t20(20, u't'), smiley = QString::fromUtf8("\xF0\x9F\x98\x80");
    struct Case {
        const char *why;
        SavedMessage message;
        MessageKind kind;
        QString expected;
    } cases[] = {
        {"subject and To at their limit of 60 and 20 stay whole", captured("A", s60, "d", t20),
         MessageKind::Captured, "A&&" + s60 + "&&d&&" + t20 + ".htm"},
        {"one more character is cut with ...", captured("A", s60 + 'x', "d", t20 + 'y'),
         MessageKind::Captured, "A&&" + s60 + "...&&d&&" + t20 + "....htm"},
        {"a cut never splits a character outside the basic plane",
         captured("A", QString(59, u's') + smiley + 'z', "d", "t"), MessageKind::Captured,
         "A&&" + QString(59, u's') + smiley + "...&&d&&t.htm"},
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
        EXPECT_EQ(fileName(c.message, c.kind), c.expected);
    }
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

TEST(WriteSavedMessage, WritesOverwritesAndKeepsToTheStore) {
    StoreDir store;
    const SavedMessage message = captured("Ann <a@x>", "Hello", "12/05/2004 10:31", "Bob");
    SaveResult result =
        writeSavedMessage(store.mainDir(), QStringLiteral("Saved"), message, MessageKind::Captured);
    ASSERT_TRUE(result.ok()) << result.detail.toStdString();
    // The same message again replaces the file.
    SavedMessage again = message;
    again.body = QStringLiteral("second");
    ASSERT_TRUE(
        writeSavedMessage(store.mainDir(), QStringLiteral("Saved"), again, MessageKind::Captured).ok());
    EXPECT_EQ(store.files(QStringLiteral("Saved")),
              QStringList{QStringLiteral("Ann  a@x &&Hello&&12#05#2004 10^31&&Bob.htm")});
    EXPECT_EQ(TextFile::readAll(result.path), content(again));

    // Sent copies go to "sent" whatever folder is given; captures never do.
    const SavedMessage sent = captured(sentFrom, "Hi", "12/05/2004 10:31:02", "bob@x");
    ASSERT_TRUE(writeSavedMessage(store.mainDir(), QStringLiteral("Saved"), sent, MessageKind::Sent).ok());
    EXPECT_EQ(store.files(QStringLiteral("sent")),
              QStringList{QStringLiteral("bob@x&&Hi&&12#05#2004 10^31^02&&sent message.htm")});
    const struct {
        const char *folder;
        SaveResult::Error error;
    } refused[] = {{"SENT", SaveResult::Error::SentFolder},         {"Sent", SaveResult::Error::SentFolder},
                   {"Missing", SaveResult::Error::WriteFailed},     {"..", SaveResult::Error::WriteFailed},
                   {"../savedmgs", SaveResult::Error::WriteFailed}, {"", SaveResult::Error::WriteFailed}};
    for (const auto &c : refused) {
        SCOPED_TRACE(c.folder);
        result =
            writeSavedMessage(store.mainDir(), QString::fromLatin1(c.folder), message, MessageKind::Captured);
        EXPECT_EQ(result.error, c.error);
    }
    EXPECT_EQ(store.files(QStringLiteral("sent")).size(), 1);
    EXPECT_EQ(QDir(store.dir.path() + QStringLiteral("/savedmgs")).entryList(QDir::Files).size(), 0);
}

// The file system takes names of up to 255 bytes: From gives way, whole characters at a time.
TEST(WriteSavedMessage, ALongFromIsShortenedSoTheFileCanBeWrittenAndListed) {
    StoreDir store;
    const SavedMessage ascii = captured(QString(300, u'f'), "Hello", "12/05/2004 10:31", "Bob");
    const SavedMessage wide = captured(QString(200, QChar(0x00E9)), "s", "d", "t");
    const QString asciiName = fileName(ascii, MessageKind::Captured);
    const QString wideName = fileName(wide, MessageKind::Captured);
    EXPECT_EQ(asciiName.toUtf8().size(), maxNameBytes);
    EXPECT_TRUE(asciiName.endsWith(QStringLiteral("&&Hello&&12#05#2004 10^31&&Bob.htm")));
    EXPECT_TRUE(wideName.toUtf8().size() >= maxNameBytes - 1 && wideName.startsWith(QChar(0x00E9)));
    const std::optional<MessageName> listed = MessageName::parse(asciiName, LooseDate::Order::MonthFirst);
    ASSERT_TRUE(listed.has_value());
    EXPECT_EQ(listed->to, QStringLiteral("Bob"));
    // Written twice: the second write replaces the file through a longer temporary name.
    for (const SavedMessage &message : {ascii, wide, ascii}) {
        const SaveResult written =
            writeSavedMessage(store.mainDir(), QStringLiteral("Saved"), message, MessageKind::Captured);
        EXPECT_TRUE(written.ok()) << written.detail.toStdString();
    }
    EXPECT_EQ(store.files(QStringLiteral("Saved")).size(), 2);
}

} // namespace
