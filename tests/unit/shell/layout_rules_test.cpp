#include "shell/splitter_rules.h"
#include "shell/tab_addresses.h"
#include "webpages/page_model.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(TabAddressesTest, ComposeAddressKeepsSchemeHostAndFirstSegment) {
    const struct {
        QString inbox;
        std::optional<QString> compose;
    } cases[] = {
        {u"http://127.0.0.1:8087/hotmail/inbox"_s, u"http://127.0.0.1:8087/hotmail/compose"_s},
        {u"http://127.0.0.1:8087/yahoo/message?id=3&lang=de"_s, u"http://127.0.0.1:8087/yahoo/compose"_s},
        {u"http://mail.example.com/ym/ShowFolder?box=Inbox"_s, u"http://mail.example.com/ym/compose"_s},
        // A path of one segment only has no second "/": the compose pane stays where it was.
        {u"http://127.0.0.1:8087/inbox"_s, std::nullopt},
        {u"about:blank"_s, std::nullopt},
        {QString(), std::nullopt},
        // The "//" after the scheme lies before the tenth character and does not count.
        {u"file:///tmp/demo/html/welcome.htm"_s, u"file:///tmp/demo/compose"_s},
        // A "/" exactly at the tenth character is the first one found.
        {u"https://a/b/c"_s, u"https://a/b/compose"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.inbox.toStdString());
        EXPECT_EQ(PageModel::composeAddress(c.inbox), c.compose);
    }
}

TEST(TabAddressesTest, CalendarFollowsTheMailServiceShown) {
    const QString base = u"http://127.0.0.1:9000/"_s;
    EXPECT_EQ(TabAddresses::calendarAddress(u"http://127.0.0.1:9000/yahoo/inbox"_s, base),
              u"http://127.0.0.1:9000/calendar/yahoo"_s);
    EXPECT_EQ(TabAddresses::calendarAddress(u"http://127.0.0.1:9000/hotmail/inbox"_s, base),
              u"http://127.0.0.1:9000/calendar/msn"_s);
    EXPECT_EQ(TabAddresses::calendarAddress(QString(), base), u"http://127.0.0.1:9000/calendar/msn"_s);
}

TEST(SplitterRulesTest, PositionStaysAwayFromBothEdgesUnlessThePaneIsHidden) {
    const struct {
        int wanted, width;
        bool hidden;
        int expected;
    } cases[] = {
        {100, 15000, false, 750},     {500, 15000, false, 750}, {3000, 15000, false, 3000},
        {14900, 15000, false, 14250}, {3000, 15000, true, 0},   {100, 15000, true, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.wanted);
        EXPECT_EQ(SplitterRules::layoutPosition(c.wanted, c.width, c.hidden), c.expected);
    }
    EXPECT_EQ(SplitterRules::expandedPosition(15001), 12750);
}
