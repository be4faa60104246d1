#include "webpages/inbox_ticks.h"
#include "webpages/spam_keywords.h"

#include <gtest/gtest.h>

#include <set>

using namespace Qt::StringLiterals;
using InboxTicks::MessageRow;

namespace {

// Boxes 1..count, those in `ticked` ticked (positions counted from 1, as a user sees them).
std::vector<bool> boxes(int count, std::set<int> ticked) {
    std::vector<bool> out(count);
    for (int position : ticked)
        out[position - 1] = true;
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
        std::set<int> ticked;
        std::set<int> expected;
    } cases[] = {
        {"a box right after the first closes nothing yet", {2, 3, 8}, {2, 3, 4, 5, 6, 7, 8}},
        {"an opening box alone ticks to the end", {4}, {4, 5, 6, 7, 8, 9, 10}},
        {"nothing ticked", {}, {}},
        // After the first run, adjacent boxes open and close an empty run.
        {"adjacent pair after a run", {1, 3, 5, 6, 8}, {1, 2, 3, 5, 6, 8, 9, 10}},
        {"the last box alone", {10}, {10}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(shown(InboxTicks::tickRange(boxes(10, c.ticked))), shown(boxes(10, c.expected))) << c.why;
    EXPECT_TRUE(InboxTicks::tickRange({}).empty());
}

TEST(InboxTicks, SpamRules) {
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
        SCOPED_TRACE(c.why);
        EXPECT_EQ(InboxTicks::isSpam(c.row, keywords), c.byKeywords);
        EXPECT_EQ(InboxTicks::isSpam(c.row, foreign), c.byScript);
        EXPECT_EQ(InboxTicks::isSpam(c.row, unreadOnly), c.byUnreadOnly);
        rows.push_back(c.row);
        ticked += c.byKeywords || c.row.ticked ? 'x' : '.';
    }
    EXPECT_EQ(shown(InboxTicks::tickSpam(rows, keywords)), ticked);
    // Empty keywords match nothing.
    EXPECT_FALSE(InboxTicks::isSpam({u"a"_s, u"b"_s, true}, {{u""_s}, false, false}));
}

// How a list spreads over the setting values and reads back is the inbox integration test's.
TEST(SpamKeywords, AKeywordLongerThanAValueIsNotKept) {
    const SpamKeywords::Stored stored = SpamKeywords::toSettingValues({u"lottery"_s}, 2, 4);
    EXPECT_EQ(stored.values, (QStringList{u""_s, u""_s}));
    EXPECT_EQ(stored.kept, 0);
    EXPECT_TRUE(SpamKeywords::fromSettingValues(stored.values).isEmpty());
}
