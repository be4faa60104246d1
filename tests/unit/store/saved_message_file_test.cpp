// Saved-message files: the names they are given and read back by, and what they hold.
#include "store/saved_message_file.h"

#include "base/text_file.h"
#include "store/message_name.h"

#include "main_dir.h"

using namespace Qt::StringLiterals;

namespace {

using namespace SavedMessageFile;

SavedMessage captured(QString from, QString subject, QString date, QString to) {
    return {std::move(from), std::move(subject), std::move(date), std::move(to), {}, {}, {}};
}

TEST(SavedMessageFileName, CutsLongPartsAndCleansCharactersTheFileSystemRefuses) {
    const QString s60(60, u's'), t20(20, u't'), smiley = QString::fromUtf8("\xF0\x9F\x98\x80");
    struct Case {
        const char *why;
        SavedMessage message;
        QString expected;
        MessageKind kind = MessageKind::Captured;
    } cases[] = {
        {"subject and To at their limit of 60 and 20 stay whole", captured("A", s60, "d", t20),
         "A&&" + s60 + "&&d&&" + t20 + ".htm"},
        {"one more character is cut with ...", captured("A", s60 + 'x', "d", t20 + 'y'),
         "A&&" + s60 + "...&&d&&" + t20 + "....htm"},
        {"a cut never splits a character outside the basic plane",
         captured("A", QString(59, u's') + smiley + 'z', "d", "t"),
         "A&&" + QString(59, u's') + smiley + "...&&d&&t.htm"},
        {"date characters are kept in a form the list turns back",
         captured("Ann", "Hello", "12/05/2004 10:31", "Bob"), "Ann&&Hello&&12#05#2004 10^31&&Bob.htm"},
        {"brackets of an address become spaces, From is never cut at 20",
         captured("Ann Smith <ann.smith@example.com>", "x", "d", "Bob <b@x>"),
         "Ann Smith  ann.smith@example.com &&x&&d&&Bob  b@x.htm"},
        {"':' and '/' become spaces, '?' goes", captured("A", "Re: a/b?", "d", "B"), "A&&Re  a b&&d&&B.htm"},
        {"a sent copy is named by its recipients and ends in 'sent message'",
         captured("Sent Message", "Hi: there", "12/05/2004 10:31:02", "bob@example.com, carl@example.com"),
         "bob@example.com, car...&&Hi  there&&12#05#2004 10^31^02&&sent message.htm", MessageKind::Sent},
        {"a leading '.' would hide the file", captured(" .NET Team <news@example.com>", "x", "d", "B"),
         "_NET Team  news@example.com &&x&&d&&B.htm"},
        {"a NUL or another control character would end or break the name",
         captured("Ann", QString::fromUtf8("Ann\0a\tb", 7), "d", "B"), "Ann&&Ann a b&&d&&B.htm"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(fileName(c.message, c.kind), c.expected) << c.why;
}

TEST(SavedMessageFileContent, HasTheExactLinesWithAddressesEscaped) {
    SavedMessage message = captured("Ann <ann@x.org>", "a <b> & c", "12/05/2004", "Bob <b@y> & Co");
    message.cc = u"<c@z>"_s;
    message.body = u"line<br>\r\nGr\u00FC\u00DFe"_s;
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
        "line<br>\r\nGr\xC3\xBC\xC3\x9F" // as UTF-8
        "e</font></div>\r\n";
    EXPECT_EQ(content(message), expected);
}

TEST(WriteSavedMessage, WritesOverwritesAndKeepsToTheStore) {
    MainDir store({u"Saved"_s, u"sent"_s});
    const SavedMessage message = captured("Ann <a@x>", "Hello", "12/05/2004 10:31", "Bob");
    SaveResult result = writeSavedMessage(store.mainDir(), u"Saved"_s, message, MessageKind::Captured);
    ASSERT_TRUE(result.ok()) << result.detail.toStdString();
    // The same message again replaces the file.
    SavedMessage again = message;
    again.body = u"second"_s;
    ASSERT_TRUE(writeSavedMessage(store.mainDir(), u"Saved"_s, again, MessageKind::Captured).ok());
    EXPECT_EQ(store.entries(u"savedmgs/Saved"_s),
              QStringList{u"Ann  a@x &&Hello&&12#05#2004 10^31&&Bob.htm"_s});
    EXPECT_EQ(TextFile::readAll(result.path), content(again));

    // Sent copies go to "sent" whatever folder is given; captures never do.
    const SavedMessage sent = captured(sentFrom, "Hi", "12/05/2004 10:31:02", "bob@x");
    ASSERT_TRUE(writeSavedMessage(store.mainDir(), u"Saved"_s, sent, MessageKind::Sent).ok());
    EXPECT_EQ(store.entries(u"savedmgs/sent"_s),
              QStringList{u"bob@x&&Hi&&12#05#2004 10^31^02&&sent message.htm"_s});
    // A capture never goes to the sent copies, nor outside a folder of the store.
    const auto captureTo = [&](const QString &folder) {
        return writeSavedMessage(store.mainDir(), folder, message, MessageKind::Captured).error;
    };
    EXPECT_EQ(captureTo(u"SENT"_s), SaveResult::Error::SentFolder);
    for (const QString &folder : {u"Missing"_s, u".."_s, u"../savedmgs"_s, u""_s})
        EXPECT_EQ(captureTo(folder), SaveResult::Error::WriteFailed) << folder.toStdString();
    EXPECT_EQ(store.entries(u"savedmgs/sent"_s).size(), 1);
    EXPECT_EQ(store.entries(u"savedmgs"_s), (QStringList{u"Saved"_s, u"sent"_s}));
}

// Every part gives way when the others alone are too long, whole characters at a time: a sent
// copy of 61 emoji, a CJK subject and To, a page date of 300 characters all make a file.
TEST(WriteSavedMessage, EveryPartIsShortenedSoAnyMessageMakesAFile) {
    MainDir store({u"Saved"_s, u"sent"_s});
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80").repeated(61),
                  cjk = QString(90, QChar(0x6771));
    const SavedMessage messages[] = {captured("Sent Message", emoji, "12/05/2004", "bob@example.com"),
                                     captured("Sent Message", cjk, "12/05/2004", cjk),
                                     captured("Sent Message", "Hi", QString(300, u'7'), "bob@example.com")};
    for (const SavedMessage &message : messages) {
        const QString name = fileName(message, MessageKind::Sent);
        EXPECT_LE(name.toUtf8().size(), maxNameBytes);
        EXPECT_EQ(QString::fromUtf8(name.toUtf8()), name); // no character cut in half
        const SaveResult written = writeSavedMessage(store.mainDir(), u"Saved"_s, message, MessageKind::Sent);
        EXPECT_TRUE(written.ok()) << written.detail.toStdString();
    }
    EXPECT_EQ(store.entries(u"savedmgs/sent"_s).size(), 3);
}

using LooseDate::Order;

TEST(MessageName, SplitsTheFourPartsOfAName) {
    const struct {
        const char *why;
        QString file, parts; // parts: From, Subject, To and the listed date, joined by '|'
    } cases[] = {
        {"the plain case", "Ann&&Hello&&12#05#2004 10^31&&Bob.htm", "Ann|Hello|Bob|12/05/2004"},
        {"the last four characters go whatever they are", "Ann&&Hi&&d&&Bobby", "Ann|Hi|B|d"},
        {"From keeps its spaces, the others lose their leading ones", " Ann &&  Hi&& d&&  Bob .htm",
         " Ann |Hi|Bob |d"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        const std::optional<MessageName> name = MessageName::parse(c.file, Order::MonthFirst);
        ASSERT_TRUE(name);
        EXPECT_EQ(QStringList({name->from, name->subject, name->to, name->date}).join(u'|'), c.parts);
    }
}

TEST(MessageName, ListsReplyPrefixesWithTheirColonAndDatesWithoutTheirTime) {
    const struct {
        QString (*listed)(const QString &);
        const char *part, *expected;
    } cases[] = {
        {MessageName::listedSubject, "RE RE stuff", "RE: RE: stuff"},
        {MessageName::listedSubject, "Reply", "Reply"},
        {MessageName::listedDate, "Sunday, December 5, 2004 10^31 AM", "Sunday, December 5, 2004"},
        {MessageName::listedDate, "yesterday", "yesterday"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.listed(QString::fromLatin1(c.part)), QString::fromLatin1(c.expected)) << c.part;
}

TEST(MessageName, SortKeyIsTheDayCountFrom1950InTheDesktopsOrder) {
    struct Case {
        const char *date;
        Order order;
        std::optional<int> day;
    } cases[] = {
        {"12#05#2004 10^31", Order::MonthFirst, 20062},
        {"12#05#2004 10^31", Order::DayFirst, 19855},
        {"Sunday, December 5, 2004 10^31 AM", Order::MonthFirst, 20062},
        {"1#1#1950", Order::MonthFirst, 0},
        {"31#12#1949", Order::MonthFirst, -1},
        {"13#05#2004", Order::MonthFirst, 19856}, // no 13th month: read day first
        {"2004-12-05", Order::DayFirst, 20062},
        {"yesterday", Order::MonthFirst, std::nullopt},
        {"12#05#2004 hello", Order::MonthFirst, std::nullopt},
        {"31#02#2004", Order::DayFirst, std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.date);
        const QString file = u"A&&S&&"_s + QString::fromLatin1(c.date) + u"&&T.htm"_s;
        const std::optional<MessageName> name = MessageName::parse(file, c.order);
        ASSERT_TRUE(name.has_value());
        EXPECT_EQ(name->dayNumber, c.day);
        if (c.day) {
            EXPECT_EQ(name->sortKeyText(), QString::number(*c.day));
        }
    }
    // A text that is no date keeps its text (after a comma: the part after it) as its key.
    const auto name = MessageName::parse(u"A&&S&&Someday, soon&&T.htm"_s, Order::MonthFirst);
    EXPECT_EQ(name->sortKeyText(), u"soon"_s);
    // The order is the desktop's; one that says none (the C locale, as a bare session has) reads
    // "12/05/2004" as the services write it, 5 December.
    EXPECT_EQ(LooseDate::orderOf(QLocale::c()), Order::MonthFirst);
    EXPECT_EQ(LooseDate::orderOf(QLocale(QLocale::English, QLocale::UnitedStates)), Order::MonthFirst);
    EXPECT_EQ(LooseDate::orderOf(QLocale(QLocale::English, QLocale::UnitedKingdom)), Order::DayFirst);
}

} // namespace
