#include "store/header_capture.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

using HeaderLabels::Kind;

const QString yahoo = QStringLiteral("yahoo");
const QString hotmail = QStringLiteral("hotmail");

QString caption(const QString &provider, Kind kind, int language) {
    return HeaderCapture::label(provider, kind, language);
}

// A Yahoo! Mail message page's visible text in `language`.
QString yahooPage(int language, const QString &to = QStringLiteral("bob@example.com")) {
    const auto c = [language](Kind kind) { return caption(yahoo, kind, language); };
    return QStringLiteral("Inbox\r\n") + c(Kind::From) +
           QStringLiteral(" Ann Lee <ann@example.com> | Add\r\n") + c(Kind::To) + u' ' + to +
           QStringLiteral("\r\n") + c(Kind::Subject) + QStringLiteral("\tRe: plans: June \r\n") +
           c(Kind::Date) + QStringLiteral(" 12/05/2004 10:31\r\n") + QStringLiteral("Body text\r\n");
}

TEST(HeaderCapture, KeepsTheCurrentLanguageWhileItsSubjectCaptionMatches) {
    const QString german = yahooPage(1);
    EXPECT_EQ(HeaderCapture::chooseLanguage(yahoo, german, 1), 1);
    EXPECT_EQ(HeaderCapture::chooseLanguage(yahoo, german, 3), 1);
    // No caption of any language: the current one stays.
    EXPECT_EQ(HeaderCapture::chooseLanguage(yahoo, QStringLiteral("nothing here"), 5), 5);
}

TEST(HeaderCapture, EdgeCasesOfEitherProvider) {
    const struct {
        const char *why;
        const QString &provider;
        QString text;
        QString headers;   // From, To, Subject and Date joined by '|'
        qsizetype lastEnd; // -2: not checked
    } cases[] = {
        {"' via' cuts the To value", yahoo, yahooPage(0, QStringLiteral("bob@x.com via list.example.org")),
         QStringLiteral("Ann Lee <ann@example.com>|bob@x.com|Re: plans: June|12/05/2004 10:31"), -2},
        {"From without its '|' stays empty", yahoo, QStringLiteral("From: Ann\r\nSubject: Hi\r\n"),
         QStringLiteral("||Hi|"), 22},
        {"a caption at the very end has no line end: empty", yahoo,
         QStringLiteral("From: A | x\r\nSubject: Hi"), QStringLiteral("A|||"), 8},
        {"no captions at all", yahoo, QStringLiteral("Welcome"), QStringLiteral("|||"), -1},
        {"tabs and no-break spaces are no part of a value", yahoo,
         QStringLiteral("Subject:\t\u00A0Hi\u00A0there\t \r\n"), QStringLiteral("||Hi\u00A0there|"), 20},
        {"a Hotmail value glued to its caption loses its first character", hotmail,
         QStringLiteral("From:Ann\r\nReply-To:bob\r\nSubject:Hi\r\nSent:Monday\r\n"),
         QStringLiteral("nn|ob|i|onday"), -2},
        {"'Subject' inside To and Subject values is dropped", hotmail,
         QStringLiteral("From: A\r\nReply-To: Subject list\r\nSubject: Subject Hi\r\nSent: d\r\n"),
         QStringLiteral("A|list|Hi|d"), -2},
        {"captions before From in the text are not seen: the search goes on from From", hotmail,
         QStringLiteral(
             "Subject: old\r\nSent: x\r\nFrom: A\r\nReply-To: B\r\nSubject: New\r\nSent: today\r\n"),
         QStringLiteral("A|B|New|today"), -2},
        {"a missing To caption leaves From empty and the search starts over", hotmail,
         QStringLiteral("From: A\r\nSubject: S\r\nSent: d\r\n"), QStringLiteral("||S|d"), -2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        const HeaderCapture::Headers h = HeaderCapture::read(c.provider, c.text, 0);
        EXPECT_EQ(QStringList({h.from, h.to, h.subject, h.date}).join(u'|'), c.headers);
        if (c.lastEnd != -2) {
            EXPECT_EQ(h.lastEnd, c.lastEnd);
        }
    }
}

} // namespace
