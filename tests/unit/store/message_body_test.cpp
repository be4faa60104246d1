#include "store/message_body.h"

#include <gtest/gtest.h>

namespace {

const QString to = QStringLiteral("To:");

TEST(MessageBody, TidyBreaksPlainTextLinesShortensBlankRunsAndDropsALeadingRecipientLine) {
    struct Case {
        const char *why;
        QString body, expected;
    } cases[] = {
        {"four line ends become two", QStringLiteral("one\r\n\r\n\r\n\r\ntwo"),
         QStringLiteral("one<br>\r\n<br>\r\ntwo")},
        {"three line ends become two", QStringLiteral("one\r\n\r\n\r\ntwo"),
         QStringLiteral("one<br>\r\n<br>\r\ntwo")},
        {"five: four of them become two, then three become two", QStringLiteral("a\r\n\r\n\r\n\r\n\r\nb"),
         QStringLiteral("a<br>\r\n<br>\r\nb")},
        {"eight: two fours give four, of which three give two",
         QStringLiteral("a") + QStringLiteral("\r\n").repeated(8) + u'b',
         QStringLiteral("a") + QStringLiteral("<br>\r\n").repeated(3) + u'b'},
        {"a single line end", QStringLiteral("a\r\nb"), QStringLiteral("a<br>\r\nb")},
        {"a lone LF is no line end here", QStringLiteral("a\nb"), QStringLiteral("a\nb")},
        {"markup in the first two characters does not count", QStringLiteral("<p>a\r\nb"),
         QStringLiteral("<p>a<br>\r\nb")},
        // Markup from the third character on is left alone.
        {"markup", QStringLiteral("xx<p>a\r\n\r\n\r\nb"), QStringLiteral("xx<p>a\r\n\r\n\r\nb")},
        {"a closing tag", QStringLiteral("ab</b>\r\n"), QStringLiteral("ab</b>\r\n")},
        {"capitals", QStringLiteral("xy<DIV>\r\n"), QStringLiteral("xy<DIV>\r\n")},
        {"after blanks", QStringLiteral("  <P>\r\n"), QStringLiteral("  <P>\r\n")},
        {"caption in the first 20, '>' before 100", QStringLiteral("<b>To:</b> bob<br>rest"),
         QStringLiteral(" bob<br>rest")},
        {"the '>' is looked for from the fifth character on", QStringLiteral("<b>To: x> y</b>"),
         QStringLiteral(" y</b>")},
        {"caption after the first 20 characters", QString(20, u'x') + QStringLiteral("To: a>b</p>"),
         QString(20, u'x') + QStringLiteral("To: a>b</p>")},
        {"the first '>' at position 100 is too far",
         QStringLiteral("To:") + QString(96, u'x') + QStringLiteral(">rest</p>"),
         QStringLiteral("To:") + QString(96, u'x') + QStringLiteral(">rest</p>")},
        {"the first '>' at position 99 is near enough",
         QStringLiteral("To:") + QString(95, u'x') + QStringLiteral(">rest</p>"), QStringLiteral("rest</p>")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(MessageBody::tidy(c.body, to), c.expected);
    }
}

TEST(MessageBody, YahooFallbackTakesThePageTextAfterTheHeaders) {
    const QString page = QStringLiteral("Subject: Hi\r\nHello\r\n\r\n\r\n\r\nBye");
    const QString body = MessageBody::yahooFallback(page, page.indexOf(u'\r'));
    EXPECT_EQ(body, QStringLiteral("<p>\r\nHello\r\n\r\n\r\n\r\nBye"));
    // The leading "<p>" does not make it markup: the text rules apply.
    EXPECT_EQ(MessageBody::tidy(body, to), QStringLiteral("<p><br>\r\nHello<br>\r\n<br>\r\nBye"));
    EXPECT_EQ(MessageBody::yahooFallback(page, -1), QString());
}

} // namespace
