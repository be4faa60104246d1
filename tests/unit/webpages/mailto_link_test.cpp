// Mailto links as pages write them, handed in without their "mailto:" scheme.
#include "webpages/mailto_address.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(MailtoLink, ReadsLinksAsTheWebWritesThem) {
    // Each link and its to, subject, body, cc and bcc.
    const std::pair<QString, QString> cases[] = {
        // clang-format off
        {u"bob@x.com?subject=Hi%20there%20%26%20welcome&body=See%20you%20soon&cc=carl@x.com"_s,
         u"bob@x.com|Hi there & welcome|See you soon|carl@x.com|"_s},
        // A share button: an empty subject, and a body that is an address with its own "?" and "&".
        {u"?subject=&body=https%3A%2F%2Fexample.com%2Fa%3Fid%3D1%26ref%3Dmail"_s,
         u"||https://example.com/a?id=1&ref=mail||"_s},
        {u"u@x.org?subject=Caf%C3%A9%20%E2%80%93%20%F0%9F%8D%B0"_s, u"u@x.org|Café – 🍰|||"_s},
        {u"a%20%3Ca@x.com%3E,b@x.com?to=c@x.com&cc=d@x.com&CC=e@x.com&Bcc=f@x.com"_s,
         u"a <a@x.com>,b@x.com, c@x.com|||d@x.com, e@x.com|f@x.com"_s},
        // Line breaks become line feeds; a "?" in a value is text; "+" is no blank.
        {u"a@x?body=send%0D%0Aindex%0Adone?%20yes+no"_s, u"a@x||send\nindex\ndone? yes+no||"_s},
        // Not valid percent-encoded UTF-8: the value stays as written.
        {u"a@x?subject=100%%20sure&body=caf%E9%2"_s, u"a@x|100%%20sure|caf%E9%2||"_s},
        // The first subject and body count; unknown fields and fields without "=" are ignored.
        {u"a@x?Subject=One&subject=Two&in-reply-to=%3Cx%3E&flag&BODY=b"_s, u"a@x|One|b||"_s},
        // Only a whole field name counts; the first "?" ends the address and a later one is text.
        {u"a@x?project=x&body=a subject=b"_s, u"a@x||a subject=b||"_s},
        {u"a@x?b?subject=c"_s, u"a@x||||"_s},
        // clang-format on
    };
    for (const auto &[link, fields] : cases) {
        const MailtoAddress::Parsed parsed = MailtoAddress::parse(link);
        EXPECT_EQ(QStringList({parsed.to, parsed.subject, parsed.body, parsed.cc, parsed.bcc}).join(u'|'),
                  fields)
            << link.toStdString();
    }
    // The link handed over by the desktop, without its scheme.
    for (const QString &url :
         {u"mailto:a@x?subject=Hi"_s, u"  MAILTO:a@x?subject=Hi\n"_s, u"a@x?subject=Hi"_s})
        EXPECT_EQ(MailtoAddress::handOverText(url), u"a@x?subject=Hi"_s) << url.toStdString();
    // A rich-text area shows the body as text.
    EXPECT_EQ(MailtoAddress::richText(u"<b>1 > 0</b> &\nso"_s), u"&lt;b&gt;1 &gt; 0&lt;/b&gt; &amp;<br>so"_s);
}
