#include "webpages/post_data.h"
#include "webpages/sent_capture.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

std::string visible(QString text) {
    return text.replace(u'\r', u"\\r"_s).replace(u'\n', u"\\n"_s).toStdString();
}

} // namespace

TEST(PostData, DecodesFormValues) {
    const struct {
        QString raw, expected;
    } cases[] = {
        {u"a+b"_s, u"a b"_s},
        {u"1%2B1"_s, u"1+1"_s}, // an encoded plus is a plus, a literal one a blank
        {u"caf%C3%A9"_s, u"café"_s},
        {u"caf%E9"_s, u"café"_s}, // not UTF-8: Windows-1252
        {u"%e2%82%ac"_s, u"€"_s},
        {u"line%0D%0Anext"_s, u"line\r\nnext"_s},
        // Invalid escapes stay as they are.
        {u"100%"_s, u"100%"_s},
        {u"%4"_s, u"%4"_s},
        {u"%zz%4g"_s, u"%zz%4g"_s},
        {u"%%41"_s, u"%A"_s},
        {u"%2"_s, u"%2"_s},
        {u"é"_s, u"é"_s},              // text already decoded passes through
        {u"é%E9+%C3%A9"_s, u"éé é"_s}, // each run of escapes is read on its own
        {u""_s, u""_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.raw.toStdString());
        EXPECT_EQ(PostData::decode(c.raw), c.expected);
    }
}

TEST(PostData, FindsFieldsWhereverTheyStand) {
    const PostData post(u"To=ann%40example.com&Subj=Hi&subject=other&xto=no&Body="_s);
    EXPECT_EQ(post.value(u"To", u"to"), u"ann@example.com"_s); // the first field of the post
    EXPECT_EQ(post.value(u"Subj", u"subject"), u"Hi"_s);       // the first name wins
    EXPECT_EQ(post.value(u"Missing", u"subject"), u"other"_s);
    EXPECT_EQ(post.value(u"Body", u"body"), u""_s); // present and empty
    EXPECT_FALSE(post.value(u"Cc", u"cc"));
    EXPECT_FALSE(post.value(u"o", u"T")); // no partial names
    EXPECT_EQ(PostData(u"to=x"_s).value(u"To", u"to"), u"x"_s);
    EXPECT_FALSE(PostData(u"To"_s).value(u"To", u"to"));
}

TEST(SentCapture, BuildsTheCopyFromEitherProvidersPost) {
    const struct {
        const char *name;
        QString post;
        SentCapture::SentCopy expected;
    } cases[] = {
        {"yahoo, To first",
         u"To=ann%40example.com&Cc=bob%40example.com&Bcc=&Subj=1%2B1+is+2&Body=Line+one%0D%0ALine+two&SEND="_s,
         {u"ann@example.com"_s, u"bob@example.com"_s, u""_s, u"1+1 is 2"_s, u"Line one<br>\r\nLine two"_s}},
        {"hotmail",
         u"box=1&to=Ann+%3Cann%40example.com%3E&cc=&bcc=carl%40example.com&subject=Hi&body=%3Cp%3EHello%3C%2Fp%3E"_s,
         {u"Ann <ann@example.com>"_s, u""_s, u"carl@example.com"_s, u"Hi"_s, u"<p>Hello</p>"_s}},
        // Fields the post lacks stay empty.
        {"only an addressee", u"to=ann%40example.com"_s, {u"ann@example.com"_s, {}, {}, {}, {}}},
        // A text area reported with LF line ends is stored as a browser posts it.
        {"LF line ends",
         u"to=a&body=one%0Atwo%0D%0Athree"_s,
         {u"a"_s, {}, {}, {}, u"one<br>\r\ntwo<br>\r\nthree"_s}},
        {"markup in any case", u"to=a&body=%3CDIV%3Ex%0D%0Ay"_s, {u"a"_s, {}, {}, {}, u"<DIV>x\r\ny"_s}},
        {"a closing tag", u"to=a&body=x%3C%2Fb%3E%0D%0Ay"_s, {u"a"_s, {}, {}, {}, u"x</b>\r\ny"_s}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<SentCapture::SentCopy> copy = SentCapture::fromPost(c.post);
        ASSERT_TRUE(copy);
        EXPECT_EQ(copy->to, c.expected.to);
        EXPECT_EQ(copy->cc, c.expected.cc);
        EXPECT_EQ(copy->bcc, c.expected.bcc);
        EXPECT_EQ(copy->subject, c.expected.subject);
        EXPECT_EQ(visible(copy->body), visible(c.expected.body));
    }
}

TEST(SentCapture, KeepsNothingWithoutAnAddressee) {
    for (const QString &post : {u""_s, u"subject=Hi&body=x"_s, u"to=&subject=Hi"_s, u"To="_s,
                                u"q=search+terms"_s, u"address=a%40b"_s}) {
        SCOPED_TRACE(post.toStdString());
        EXPECT_FALSE(SentCapture::fromPost(post));
    }
}

TEST(SentCapture, HandlesAHugePost) {
    // Ten megabytes of body: a pasted attachment, or a page posting garbage.
    const QString body(10 * 1024 * 1024, u'a');
    const std::optional<SentCapture::SentCopy> copy =
        SentCapture::fromPost(u"to=a&body="_s + body + u"%0D%0A"_s);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->body.size(), body.size() + 6);
    EXPECT_TRUE(copy->body.endsWith(u"a<br>\r\n"_s));
}
