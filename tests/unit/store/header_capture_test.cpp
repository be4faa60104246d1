// A displayed message as captured: its header values and its body.
#include "store/header_capture.h"

#include "store/message_body.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using HeaderLabels::Kind;

const QString yahoo = u"yahoo"_s, hotmail = u"hotmail"_s;

// A To value cut at " via" is the capture integration test's (Yahoo page 9).
TEST(HeaderCapture, EdgeCasesOfEitherProviderAndTheLanguageKept) {
    const struct {
        const char *why;
        const QString &provider;
        QString text;
        QString headers;                                 // From, To, Subject and Date joined by '|'
        std::optional<qsizetype> lastEnd = std::nullopt; // none: not checked
    } cases[] = {
        {"From without its '|' stays empty", yahoo, u"From: Ann\r\nSubject: Hi\r\n"_s, u"||Hi|"_s, 22},
        {"a caption at the very end has no line end: empty", yahoo, u"From: A | x\r\nSubject: Hi"_s,
         u"A|||"_s, 8},
        {"no captions at all", yahoo, u"Welcome"_s, u"|||"_s, -1},
        {"tabs and no-break spaces are no part of a value", yahoo, u"Subject:\t\u00A0Hi\u00A0there\t \r\n"_s,
         u"||Hi\u00A0there|"_s, 20},
        {"a Hotmail value glued to its caption loses its first character", hotmail,
         u"From:Ann\r\nReply-To:bob\r\nSubject:Hi\r\nSent:Monday\r\n"_s, u"nn|ob|i|onday"_s},
        {"'Subject' inside To and Subject values is dropped", hotmail,
         u"From: A\r\nReply-To: Subject list\r\nSubject: Subject Hi\r\nSent: d\r\n"_s, u"A|list|Hi|d"_s},
        {"captions before From in the text are not seen: the search goes on from From", hotmail,
         QStringLiteral(
             "Subject: old\r\nSent: x\r\nFrom: A\r\nReply-To: B\r\nSubject: New\r\nSent: today\r\n"),
         u"A|B|New|today"_s},
        {"a missing To caption leaves From empty and the search starts over", hotmail,
         u"From: A\r\nSubject: S\r\nSent: d\r\n"_s, u"||S|d"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        const HeaderCapture::Headers h = HeaderCapture::read(c.provider, c.text, 0);
        EXPECT_EQ(QStringList({h.from, h.to, h.subject, h.date}).join(u'|'), c.headers);
        EXPECT_EQ(h.lastEnd, c.lastEnd.value_or(h.lastEnd));
    }
    // The current language stays while its Subject caption matches; a change is the capture test's.
    const QString german = HeaderCapture::label(yahoo, Kind::Subject, 1) + u" Hi\r\n"_s;
    EXPECT_EQ(HeaderCapture::chooseLanguage(yahoo, german, 1), 1);
    // No caption of any language: the current one stays.
    EXPECT_EQ(HeaderCapture::chooseLanguage(yahoo, u"nothing here"_s, 5), 5);
}

TEST(MessageBody, TidyBreaksPlainTextLinesShortensBlankRunsAndDropsALeadingRecipientLine) {
    struct Case {
        const char *why;
        QString body, expected; // none: left as it is
    } cases[] = {
        {"three line ends become two", u"one\r\n\r\n\r\ntwo"_s, u"one<br>\r\n<br>\r\ntwo"_s},
        {"eight: two fours give four, then three give two", u"a"_s + u"\r\n"_s.repeated(8) + u'b',
         u"a"_s + u"<br>\r\n"_s.repeated(3) + u'b'},
        {"a lone LF is no line end here", u"a\nb"_s, {}},
        {"markup in the first two characters does not count", u"<p>a\r\nb"_s, u"<p>a<br>\r\nb"_s},
        // Markup from the third character on is left alone.
        {"markup", u"xx<p>a\r\n\r\n\r\nb"_s, {}},
        {"capitals", u"xy<DIV>\r\n"_s, {}},
        {"the '>' is looked for from the fifth character on", u"<b>To: x> y</b>"_s, u" y</b>"_s},
        {"caption after the first 20 characters", QString(20, u'x') + u"To: a>b</p>"_s, {}},
        {"the first '>' at 100: too far", u"To:"_s + QString(96, u'x') + u">rest</p>"_s, {}},
        {"the first '>' at 99: near enough", u"To:"_s + QString(95, u'x') + u">rest</p>"_s, u"rest</p>"_s},
    };
    for (const Case &c : cases)
        EXPECT_EQ(MessageBody::tidy(c.body, u"To:"_s), c.expected.isNull() ? c.body : c.expected) << c.why;
    // Without its Subject line a page gives no fallback body (the fallback itself: the capture
    // integration test's Yahoo page without a "message" element).
    EXPECT_EQ(MessageBody::yahooFallback(u"Subject: Hi\r\nHello"_s, -1), QString());
}

} // namespace
