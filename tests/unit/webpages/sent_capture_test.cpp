#include "webpages/post_data.h"
#include "webpages/sent_capture.h"

#include "support/sim_process.h" // prints QStrings in failures

#include <QStringList>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(PostData, DecodesFormValues) {
    const struct {
        QString raw, expected;
    } cases[] = {
        {u"a+b"_s, u"a b"_s},
        {u"1%2B1"_s, u"1+1"_s}, // an encoded plus is a plus, a literal one a blank
        {u"caf%C3%A9"_s, u"café"_s},
        {u"caf%E9"_s, u"café"_s}, // not UTF-8: Windows-1252
        {u"line%0D%0Anext"_s, u"line\r\nnext"_s},
        // Invalid escapes stay as they are.
        {u"100%"_s, u"100%"_s},
        {u"%zz%4g"_s, u"%zz%4g"_s},
        {u"%%41"_s, u"%A"_s},
        {u"é"_s, u"é"_s},              // text already decoded passes through
        {u"é%E9+%C3%A9"_s, u"éé é"_s}, // each run of escapes is read on its own
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

TEST(SentCapture, BuildsTheCopyFromEitherProvidersPostWhenItHasAnAddressee) {
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
        {"fields the post lacks stay empty", u"to=ann%40example.com"_s, u"ann@example.com||||"_s},
        // A text area reported with LF line ends is stored as a browser posts it.
        {"LF line ends", u"to=a&body=one%0Atwo%0D%0Athree"_s, u"a||||one<br>\r\ntwo<br>\r\nthree"_s},
        {"markup in any case", u"to=a&body=%3CDIV%3Ex%0D%0Ay"_s, u"a||||<DIV>x\r\ny"_s},
        {"no addressee", u"to=&subject=Hi"_s, std::nullopt},
        {"no To field", u"subject=Hi&body=x&address=a%40b"_s, std::nullopt},
        {"nothing", u""_s, std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<SentCapture::SentCopy> copy = SentCapture::fromPost(c.post);
        ASSERT_EQ(copy.has_value(), c.copy.has_value());
        if (copy) {
            EXPECT_EQ(QStringList({copy->to, copy->cc, copy->bcc, copy->subject, copy->body}).join(u'|'),
                      *c.copy);
        }
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
