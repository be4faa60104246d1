#include "webpages/mailto_address.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(MailtoAddress, SplitsAddressAndSubject) {
    const struct {
        QString text, to, subject;
    } cases[] = {
        {u"ann@example.com"_s, u"ann@example.com"_s, u""_s},
        {u"ann@example.com?SUBJECT=Hi"_s, u"ann@example.com"_s, u"Hi"_s},
        {u"ann@example.com?subject=Hi%20there&body=Hello"_s, u"ann@example.com"_s, u"Hi there"_s},
        {u"ann@example.com?cc=bob@example.com&Subject=Hi"_s, u"ann@example.com"_s, u"Hi"_s},
        // Only a whole parameter name counts: "project" ends in "ect" but is no subject.
        {u"ann@example.com?project=x"_s, u"ann@example.com"_s, u""_s},
        {u"ann@example.com?project=x&subject=y"_s, u"ann@example.com"_s, u"y"_s},
        {u"ann@example.com?body=a subject=b"_s, u"ann@example.com"_s, u""_s},
        {u"ann@example.com?subject="_s, u"ann@example.com"_s, u""_s},
        {u"?subject=Hi"_s, u""_s, u"Hi"_s},
        {u"a@x?b?subject=c"_s, u"a@x"_s, u""_s}, // the first "?" ends the address; a later one is text
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const MailtoAddress::Parsed parsed = MailtoAddress::parse(c.text);
        EXPECT_EQ(parsed.to, c.to);
        EXPECT_EQ(parsed.subject, c.subject);
    }
}

TEST(MailtoAddress, HandsOverTheLinkWithoutItsScheme) {
    const struct {
        QString url, expected;
    } cases[] = {
        {u"mailto:ann@example.com?subject=Hi"_s, u"ann@example.com?subject=Hi"_s},
        {u"MAILTO:ann@example.com"_s, u"ann@example.com"_s},
        {u"  mailto:ann@example.com\n"_s, u"ann@example.com"_s},
        {u"ann@example.com"_s, u"ann@example.com"_s}, // a bare address is taken as it is
        {u"mailto:"_s, u""_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.url.toStdString());
        EXPECT_EQ(MailtoAddress::handOverText(c.url), c.expected);
    }
}
