#include "store/message_name.h"

#include <gtest/gtest.h>

namespace {

using LooseDate::Order;

TEST(MessageName, SplitsTheFourPartsOfAName) {
    const struct {
        const char *why;
        QString file;
        std::optional<QString> parts; // From, Subject, To and the listed date, joined by '|'
    } cases[] = {
        {"the plain case", "Ann&&Hello&&12#05#2004 10^31&&Bob.htm", "Ann|Hello|Bob|12/05/2004"},
        {"two separators are not enough", "Ann&&Hello&&12#05#2004.htm", std::nullopt},
        {"a fifth part is ignored", "Ann&&Hi&&d&&Bob&&extra.htm", "Ann|Hi|Bob|d"},
        {"the last four characters go whatever they are", "Ann&&Hi&&d&&Bobby", "Ann|Hi|B|d"},
        {"From keeps its spaces, the others lose their leading ones", " Ann &&  Hi&& d&&  Bob .htm",
         " Ann |Hi|Bob |d"},
        {"empty parts", "&&&&&&.htm", "|||"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        const std::optional<MessageName> name = MessageName::parse(c.file, Order::MonthFirst);
        ASSERT_EQ(name.has_value(), c.parts.has_value());
        if (name) {
            EXPECT_EQ(QStringList({name->from, name->subject, name->to, name->date}).join(u'|'), *c.parts);
        }
    }
    EXPECT_EQ(MessageName::parse(QStringLiteral("  A&&B&&C&&D .htm"), Order::MonthFirst)->fileName,
              QStringLiteral("A&&B&&C&&D .htm"));
}

TEST(MessageName, ListsReplyPrefixesWithTheirColonAndDatesWithoutTheirTime) {
    const struct {
        QString (*listed)(const QString &);
        const char *part, *expected;
    } cases[] = {
        {MessageName::listedSubject, "Re  news", "Re:  news"}, // written from "Re: news"
        {MessageName::listedSubject, "more news", "more: news"},
        {MessageName::listedSubject, "RE RE stuff", "RE: RE: stuff"},
        {MessageName::listedSubject, "  re hello", "re: hello"},
        {MessageName::listedSubject, "Reply", "Reply"},
        {MessageName::listedDate, "12#05#2004 10^31", "12/05/2004"},
        {MessageName::listedDate, "Sunday, December 5, 2004 10^31 AM", "Sunday, December 5, 2004"},
        {MessageName::listedDate, "10^31", "10:"},                                 // no space before the ":"
        {MessageName::listedDate, "Mon,  5 Dec 2004   10^31", "Mon,  5 Dec 2004"}, // trailing spaces go
        {MessageName::listedDate, "yesterday", "yesterday"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.part);
        EXPECT_EQ(c.listed(QString::fromLatin1(c.part)), QString::fromLatin1(c.expected));
    }
}

TEST(MessageName, SortKeyIsTheDayCountFrom1950) {
    struct Case {
        const char *date;
        Order order;
        std::optional<int> day;
    } cases[] = {
        {"12#05#2004 10^31", Order::MonthFirst, 20062},
        {"12#05#2004 10^31", Order::DayFirst, 19855},
        {"Mon, 12 May 2004 10^31^00 +0000", Order::MonthFirst, 19855},
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
        const QString file =
            QStringLiteral("A&&S&&") + QString::fromLatin1(c.date) + QStringLiteral("&&T.htm");
        const std::optional<MessageName> name = MessageName::parse(file, c.order);
        ASSERT_TRUE(name.has_value());
        EXPECT_EQ(name->dayNumber, c.day);
        if (c.day) {
            EXPECT_EQ(name->sortKeyText(), QString::number(*c.day));
        }
    }
    // A text that is no date keeps its text (after a comma: the part after it) as its key.
    const auto name = MessageName::parse(QStringLiteral("A&&S&&Someday, soon&&T.htm"), Order::MonthFirst);
    EXPECT_EQ(name->sortKeyText(), QStringLiteral("soon"));
}

} // namespace
