// Where an address insertion writes, and how addresses join a field's value.
#include "webpages/address_insertion.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Target = AddressInsertion::Target;

// The Compose tab with an inbox in the main pane and the Settings tab are the address book
// integration test's.
TEST(AddressInsertionRulesTest, TheComposeTargetFollowsTheSelectedTab) {
    const struct {
        int tab;
        QString mainAddress;
        Target target;
    } cases[] = {
        {2, u"http://h/yahoo/compose"_s, Target::ComposePane},
        {1, u"http://h/yahoo/Compose?x=1"_s, Target::MainPane},
        {1, u"http://h/hotmail/inbox"_s, Target::AfterComposeLoads},
        {3, u"http://h/hotmail/compose"_s, Target::AfterComposeLoads},
        {4, u""_s, Target::AfterComposeLoads},
    };
    for (const auto &c : cases)
        EXPECT_EQ(AddressInsertion::composeTarget(c.tab, c.mainAddress), c.target)
            << testing::Message() << "tab " << c.tab << " " << c.mainAddress.toStdString();
}

TEST(AddressInsertionRulesTest, AddressesJoinWithACommaAndKnownOnesAreSkipped) {
    const struct {
        const char *why;
        QString value;
        QStringList addresses;
        QString merged;
    } cases[] = {
        {"into an empty field", u""_s, {u"a@x.com"_s}, u"a@x.com"_s},
        {"after another, no blank", u"b@x.com"_s, {u"a@x.com"_s}, u"b@x.com,a@x.com"_s},
        {"already there", u"b@x.com,a@x.com"_s, {u"a@x.com"_s}, u"b@x.com,a@x.com"_s},
        {"part of a longer one", u"anna@x.com"_s, {u"na@x.com"_s}, u"anna@x.com"_s},
        {"several in order", u""_s, {u"c@x"_s, u"d@x"_s, u"c@x"_s}, u"c@x,d@x"_s},
        {"an empty cell into an empty field, then another", u""_s, {u""_s, u"e@x"_s}, u"e@x"_s},
        {"an empty cell into a filled field", u"f@x"_s, {u""_s}, u"f@x"_s},
        {"nothing selected", u"g@x"_s, {}, u"g@x"_s},
    };
    for (const auto &c : cases)
        EXPECT_EQ(AddressInsertion::merged(c.value, c.addresses), c.merged) << c.why;
}
