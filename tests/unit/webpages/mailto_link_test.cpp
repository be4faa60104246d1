// Mailto links as pages write them, handed in without their "mailto:" scheme.
#include "webpages/mailto_address.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(MailtoLink, ReadsLinksAsTheWebWritesThem) {
    const struct {
        QString link, to, subject, body, cc, bcc;
    } cases[] = {
        // What a browser hands over for an ordinary link.
        {u"bob@example.com?subject=Hi%20there%20%26%20welcome&body=See%20you%20soon&cc=carl@example.com"_s,
         u"bob@example.com"_s,
         u"Hi there & welcome"_s,
         u"See you soon"_s,
         u"carl@example.com"_s,
         {}},
        // A share button: the body is an encoded address with its own "?" and "&".
        {u"?subject=Worth%20a%20look&body=https%3A%2F%2Fexample.com%2Fa%3Fid%3D1%26ref%3Dmail"_s,
         {},
         u"Worth a look"_s,
         u"https://example.com/a?id=1&ref=mail"_s,
         {},
         {}},
        {u"user@example.org?subject=Caf%C3%A9%20%E2%80%93%20menu%20%F0%9F%8D%B0"_s,
         u"user@example.org"_s,
         u"Café – menu 🍰"_s,
         {},
         {},
         {}},
        {u"ann@example.com,bob@example.com?to=carl@example.com&cc=dan@example.com,eve@example.com&CC=fay@example.com&Bcc=gil@example.com"_s,
         u"ann@example.com,bob@example.com, carl@example.com"_s,
         {},
         {},
         u"dan@example.com,eve@example.com, fay@example.com"_s,
         u"gil@example.com"_s},
        {u"?to=addr1@an.example%2C%20addr2@an.example"_s,
         u"addr1@an.example, addr2@an.example"_s,
         {},
         {},
         {},
         {}},
        // Encoded characters in the address itself.
        {u"gorby%25kremvax@example.com"_s, u"gorby%kremvax@example.com"_s, {}, {}, {}, {}},
        {u"unlikely%3Faddress@example.com?blat=foop"_s, u"unlikely?address@example.com"_s, {}, {}, {}, {}},
        {u"%22not%40me%22@example.org"_s, u"\"not@me\"@example.org"_s, {}, {}, {}, {}},
        {u"Ann%20%3Cann@example.com%3E"_s, u"Ann <ann@example.com>"_s, {}, {}, {}, {}},
        // Line breaks of any kind become line feeds; a "?" in a value is text.
        {u"infobot@example.com?body=send%20current-issue%0D%0Asend%20index%0Adone%0D"_s,
         u"infobot@example.com"_s,
         {},
         u"send current-issue\nsend index\ndone\n"_s,
         {},
         {}},
        {u"a@example.com?body=Are%20you%20free?%20Call%20me"_s,
         u"a@example.com"_s,
         {},
         u"Are you free? Call me"_s,
         {},
         {}},
        {u"a@example.com?subject=&body=Hello"_s, u"a@example.com"_s, {}, u"Hello"_s, {}, {}},
        // "+" is no blank in a mailto link.
        {u"a@example.com?subject=1+1%3D2"_s, u"a@example.com"_s, u"1+1=2"_s, {}, {}, {}},
        // Not valid percent-encoded UTF-8: the value stays as written.
        {u"a@example.com?subject=100%%20sure&body=caf%E9"_s,
         u"a@example.com"_s,
         u"100%%20sure"_s,
         u"caf%E9"_s,
         {},
         {}},
        {u"a@example.com?subject=50%"_s, u"a@example.com"_s, u"50%"_s, {}, {}, {}},
        // The first subject and body count; unknown fields and fields without "=" are ignored.
        {u"a@example.com?Subject=One&subject=Two&in-reply-to=%3Cx@y%3E&flag&BODY=b"_s,
         u"a@example.com"_s,
         u"One"_s,
         u"b"_s,
         {},
         {}},
        {u"a@example.com?cc=&bcc=%20"_s, u"a@example.com"_s, {}, {}, {}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.link.toStdString());
        const MailtoAddress::Parsed parsed = MailtoAddress::parse(c.link);
        EXPECT_EQ(parsed.to, c.to);
        EXPECT_EQ(parsed.subject, c.subject);
        EXPECT_EQ(parsed.body, c.body);
        EXPECT_EQ(parsed.cc, c.cc);
        EXPECT_EQ(parsed.bcc, c.bcc);
    }
}

TEST(MailtoLink, ABodyInARichTextAreaIsText) {
    EXPECT_EQ(MailtoAddress::richText(u"<b>1 > 0</b> & so\non"_s),
              u"&lt;b&gt;1 &gt; 0&lt;/b&gt; &amp; so<br>on"_s);
}
