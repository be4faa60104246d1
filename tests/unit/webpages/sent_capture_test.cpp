// What the compose page is handed: form posts it sends, and mailto links without their scheme.
#include "webpages/mailto_address.h"
#include "webpages/post_data.h"
#include "webpages/sent_capture.h"

#include "support/sim_process.h" // prints QStrings in failures

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(PostData, DecodesFormValuesAndFindsFieldsWhereverTheyStand) {
    const struct {
        QString raw, expected;
    } cases[] = {
        {u"caf%C3%A9"_s, u"café"_s}, // "+" and "%2B": the sent copy test's below
        {u"caf%E9"_s, u"café"_s},    // not UTF-8: Windows-1252
        // Invalid escapes stay as they are.
        {u"100%"_s, u"100%"_s},
        {u"%zz%4g"_s, u"%zz%4g"_s},
        {u"é%E9+%C3%A9"_s, u"éé é"_s}, // each run of escapes is read on its own
    };
    for (const auto &c : cases)
        EXPECT_EQ(PostData::decode(c.raw), c.expected) << c.raw.toStdString();
    const PostData post(u"To=ann%40example.com&Subj=Hi&subject=other&xto=no&Body="_s);
    EXPECT_EQ(post.value(u"To", u"to"), u"ann@example.com"_s); // the first field of the post
    EXPECT_EQ(post.value(u"Subj", u"subject"), u"Hi"_s);       // the first name wins
    EXPECT_EQ(post.value(u"Missing", u"subject"), u"other"_s);
    EXPECT_EQ(post.value(u"Body", u"body"), u""_s); // present and empty
    EXPECT_FALSE(post.value(u"Cc", u"cc"));
    EXPECT_FALSE(post.value(u"o", u"T")); // no partial names
    EXPECT_FALSE(PostData(u"To"_s).value(u"To", u"to"));
}

TEST(SentCapture, BuildsTheCopyFromEitherProvidersPostWhenItHasAnAddressee) {
    const QString huge(10 * 1024 * 1024, u'a'); // a pasted attachment, or a page posting garbage
    const struct {
        const char *name;
        QString post;
        std::optional<QString> copy; // To, Cc, Bcc, Subject and body joined by '|'
    } cases[] = {
        {"yahoo, To first",
         u"To=ann%40example.com&Cc=bob%40example.com&Bcc=&Subj=1%2B1+is+2&Body=Line+one%0D%0ALine+two&SEND="_s,
         u"ann@example.com|bob@example.com||1+1 is 2|Line one<br>\r\nLine two"_s},
        {"hotmail",
         u"box=1&to=Ann+%3Cann%40example.com%3E&cc=&bcc=carl%40example.com&subject=Hi&body=%3Cp%3EHello%3C%2Fp%3E"_s,
         u"Ann <ann@example.com>||carl@example.com|Hi|<p>Hello</p>"_s},
        // A text area reported with LF line ends is stored as a browser posts it.
        {"LF line ends", u"to=a&body=one%0Atwo%0D%0Athree"_s, u"a||||one<br>\r\ntwo<br>\r\nthree"_s},
        {"markup in any case", u"to=a&body=%3CDIV%3Ex%0D%0Ay"_s, u"a||||<DIV>x\r\ny"_s},
        {"no addressee", u"to=&subject=Hi"_s, std::nullopt},
        {"no To field", u"subject=Hi&body=x&address=a%40b"_s, std::nullopt},
        {"ten megabytes of body", u"to=a&body="_s + huge + u"%0D%0A"_s, u"a||||"_s + huge + u"<br>\r\n"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<SentCapture::SentCopy> copy = SentCapture::fromPost(c.post);
        const QString got =
            copy ? QStringList({copy->to, copy->cc, copy->bcc, copy->subject, copy->body}).join(u'|')
                 : u"(none)"_s;
        EXPECT_TRUE(got == c.copy.value_or(u"(none)"_s)) << got.left(200).toStdString(); // not ten megabytes
    }
}

TEST(MailtoLink, ReadsLinksAsTheWebWritesThem) {
    // Each link and its to, subject, body, cc and bcc.
    const std::pair<QString, QString> cases[] = {
        // clang-format off
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
}
