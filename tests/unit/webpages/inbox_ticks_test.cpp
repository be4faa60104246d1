#include "webpages/inbox_ticks.h"
#include "webpages/spam_keywords.h"

#include <gtest/gtest.h>

#include <string_view>

using namespace Qt::StringLiterals;
using InboxTicks::MessageRow;

namespace {

// A row of boxes written as shown below: "x" ticked, "." not.
std::vector<bool> boxes(std::string_view shown) {
    std::vector<bool> out;
    for (char box : shown)
        out.push_back(box == 'x');
    return out;
}

std::string shown(const std::vector<bool> &ticks) {
    std::string out;
    for (bool t : ticks)
        out += t ? 'x' : '.';
    return out;
}

} // namespace

TEST(InboxTicks, TickRangeFillsRunsBetweenTickedBoxes) {
    const struct {
        const char *why;
        const char *ticked, *expected;
    } cases[] = {
        {"a box right after the first closes nothing yet", ".xx....x..", ".xxxxxxx.."},
        {"an opening box alone ticks to the end", "...x......", "...xxxxxxx"},
        // After the first run, adjacent boxes open and close an empty run.
        {"adjacent pair after a run", "x.x.xx.x..", "xxx.xx.xxx"},
        {"the last box alone", ".........x", ".........x"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(shown(InboxTicks::tickRange(boxes(c.ticked))), c.expected) << c.why;
}

TEST(InboxTicks, SpamRulesAndTheirKeywords) {
    const InboxTicks::SpamRules keywords{{u"lottery"_s}, false, false};
    const InboxTicks::SpamRules foreign{{}, true, false};
    const InboxTicks::SpamRules unreadOnly{{u"lottery"_s}, true, true};
    const struct {
        const char *why;
        MessageRow row;
        bool byKeywords, byScript, byUnreadOnly;
    } cases[] = {
        {"keyword in the subject, any case", {u"Ann"_s, u"You won the LOTTERY"_s, false}, true, false, false},
        {"keyword in the sender", {u"lottery-office@example.com"_s, u"Hi"_s, true}, true, false, true},
        {"accented Latin is Latin", {u"Zoë Łukasz"_s, u"Café crème à Besançon"_s, true}, false, false, false},
        {"two foreign letters are not enough", {u"Ann"_s, u"Ωμ and more"_s, true}, false, false, false},
        {"beyond the basic plane", {u"x"_s, u"\U00010330\U00010331\U00010332"_s, true}, false, true, true},
        {"symbols and digits do not count", {u"x"_s, u"★★★ 123 ©®™"_s, true}, false, false, false},
    };
    std::vector<MessageRow> rows;
    std::string ticked; // Check Spam only adds ticks
    for (const auto &c : cases) {
        EXPECT_EQ(std::tuple(InboxTicks::isSpam(c.row, keywords), InboxTicks::isSpam(c.row, foreign),
                             InboxTicks::isSpam(c.row, unreadOnly)),
                  std::tuple(c.byKeywords, c.byScript, c.byUnreadOnly))
            << c.why;
        rows.push_back(c.row);
        ticked += c.byKeywords || c.row.ticked ? 'x' : '.';
    }
    EXPECT_EQ(shown(InboxTicks::tickSpam(rows, keywords)), ticked);
    // Empty keywords match nothing.
    EXPECT_FALSE(InboxTicks::isSpam({u"a"_s, u"b"_s, true}, {{u""_s}, false, false}));
    // A keyword longer than a setting value is not kept (how a list spreads over the values and
    // reads back is the inbox integration test's).
    const SpamKeywords::Stored stored = SpamKeywords::toSettingValues({u"lottery"_s}, 2, 4);
    EXPECT_EQ(stored.values, (QStringList{u""_s, u""_s}));
    EXPECT_EQ(stored.kept, 0);
    EXPECT_TRUE(SpamKeywords::fromSettingValues(stored.values).isEmpty());
}
