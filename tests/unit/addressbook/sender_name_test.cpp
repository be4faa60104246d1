// The sender of a displayed message as a new contact.
#include "addressbook/sender_name.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace Qt::StringLiterals;

TEST(SenderNameTest, SplitsTheFromValueIntoNamesAndAddress) {
    struct Case {
        QString from;
        QString first, last, address;
    };
    const Case cases[] = {
        {u"Ann Lee <ann.lee@example.com>"_s, u"Ann"_s, u"Lee"_s, u"ann.lee@example.com"_s},
        {u"\"Smith, John\" <john@x.org>"_s, u"Smith,"_s, u"John"_s, u"john@x.org"_s},
        {u"Mary Ann   Smith <m@x>"_s, u"Mary"_s, u"Smith"_s, u"m@x"_s},
        {u"Cher <cher@x>"_s, u"Cher"_s, u""_s, u"cher@x"_s},
        {u" bare@x.com "_s, u""_s, u""_s, u"bare@x.com"_s},
        // Without a ">" after the "<" the whole value is the address.
        {u"Odd <odd@x"_s, u""_s, u""_s, u"Odd <odd@x"_s},
        {u"<\t\"only@x\"\r\n>"_s, u""_s, u""_s, u"only@x"_s},
        {u"Nobody <>"_s, u"Nobody"_s, u""_s, u""_s},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.from.toStdString());
        const SenderName::Sender sender = SenderName::parse(c.from);
        EXPECT_EQ(std::tie(sender.first, sender.last, sender.address), std::tie(c.first, c.last, c.address));
    }
}
