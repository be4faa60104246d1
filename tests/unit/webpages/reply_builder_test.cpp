#include "webpages/reply_builder.h"

#include "support/sim_process.h" // prints QStrings in failures

#include <QHash>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using ReplyBuilder::MessageValues;

namespace {

// The texts of a previewed saved message by element id, as the preview pane gives them.
const QHash<QString, QString> lunch{
    {u"from"_s, u"From:\u00a0Ann Smith <ann@example.com>"_s},
    {u"replyto"_s, u"Reply-to:\u00a0Ann Smith <ann@example.com> "_s},
    {u"to"_s, u"To:\u00a0bob@example.com"_s},
    {u"cc"_s, u"Cc:\u00a0carl@example.com, dora@example.com"_s},
    {u"bcc"_s, u"Bcc:\u00a0"_s},
    {u"subject"_s, u"Subject:\u00a0Lunch"_s},
    {u"date"_s, u"Date:\u00a012/05/2004 10:31"_s},
    {u"body"_s, u"See you at noon."_s},
};

} // namespace

TEST(ReplyBuilder, CaptionsAddressesAndRichTextOfOneValue) {
    const struct {
        QString (*rule)(const QString &);
        QString text, expected;
    } cases[] = {
        {ReplyBuilder::stripCaption, u"Reply-to: ann@example.com "_s, u"ann@example.com"_s},
        {ReplyBuilder::stripCaption, u"Subject:\u00a0Re: a/b? x:y"_s, u"Re: a/b? x:y"_s}, // later colons stay
        {ReplyBuilder::stripCaption, u"no caption"_s, u"no caption"_s}, // untouched, not even trimmed
        {ReplyBuilder::stripCaption, u"Cc:\u00a0"_s, u""_s},
        {ReplyBuilder::yahooRichText, u"a > b"_s, u"a <BR>&gt; b"_s},
        // The message's own markup stays text.
        {ReplyBuilder::yahooRichText, u"\n><img src=x onerror=\"alert('&')\">"_s,
         u"\n<BR>&gt;&lt;img src=x onerror=&quot;alert(&#39;&amp;&#39;)&quot;<BR>&gt;"_s},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.rule(c.text), c.expected) << testing::PrintToString(c.text);
}

TEST(ReplyBuilder, GathersEachModesValuesUntilAnElementIsMissing) {
    const struct {
        TransferMode mode;
        QString missing; // "*": an empty preview pane, no saved message shown
        std::optional<QString> values;
    } cases[] = {
        // A forward needs no reply-to; the original's sender, date and subject head its text.
        {TransferMode::Forward, u"replyto"_s,
         u"|||Lunch|From: Ann Smith <ann@example.com>\r\nDate: 12/05/2004 10:31\r\nSubject: Lunch\r\n\r\nSee you at noon."_s},
        {TransferMode::Forward, u"date"_s,
         u"|||Lunch|From: Ann Smith <ann@example.com>\r\nSubject: Lunch\r\n\r\nSee you at noon."_s},
        {TransferMode::ReplyWithText, u"*"_s, std::nullopt},
        {TransferMode::ReplyWithoutText, u"replyto"_s, std::nullopt},
        {TransferMode::SendAgain, u"cc"_s, std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.mode) << " without " << c.missing.toStdString());
        QHash<QString, QString> shown = c.missing == u"*"_s ? QHash<QString, QString>() : lunch;
        shown.remove(c.missing);
        const std::optional<MessageValues> v = ReplyBuilder::fromSavedMessage(c.mode, [&](const QString &id) {
            return shown.contains(id) ? std::optional(shown[id]) : std::nullopt;
        });
        EXPECT_EQ(v ? std::optional(QStringList({v->to, v->cc, v->bcc, v->subject, v->body}).join(u'|'))
                    : std::nullopt,
                  c.values);
    }
}

// Each mode's subject prefix (added even when present) and its body: an empty first line, a line holding
// only ">", then the text quoted without a blank (wrapped lines are the compose transfer test's).
TEST(ReplyBuilder, EachModeGivesItsSubjectAndBodyAndATemplateItsPlace) {
    const QString body = u"See you\r\nat noon."_s;
    const struct {
        TransferMode mode;
        QString subject, expectedSubject, expectedBody;
    } cases[] = {
        {TransferMode::ReplyWithoutText, u"RE: Lunch"_s, u"RE: RE: Lunch"_s, u""_s},
        {TransferMode::Forward, u"FWD: Lunch"_s, u"FWD: FWD: Lunch"_s, u"\n>\n>See you\r\n>at noon."_s},
        {TransferMode::Mailto, u"Hi"_s, u"Hi"_s, u""_s},
    };
    for (const auto &c : cases)
        EXPECT_EQ(
            std::pair(ReplyBuilder::subjectFor(c.mode, c.subject), ReplyBuilder::composeBody(c.mode, body)),
            std::pair(c.expectedSubject, c.expectedBody))
            << int(c.mode);
    // In the compose pane a template replaces the body.
    EXPECT_EQ(ReplyBuilder::templateBody(ReplyBuilder::ComposeTarget::ComposePane, u"Template"_s, u"Draft"_s),
              u"Template"_s);
}

TEST(ReplyBuilder, WrapsAtTheFirstBlankFromColumn43) {
    const QString word(100, u'x');
    const struct {
        QString text, expected;
    } cases[] = {
        // The first line of the text breaks at the first blank after its 43rd character...
        {QString(43, u'a') + u" b"_s, QString(43, u'a') + u"\nb"_s},
        {QString(42, u'a') + u" b"_s, QString(42, u'a') + u" b"_s},
        // ...lines after a line feed at the first blank from their 43rd character on.
        {u"\n"_s + QString(42, u'a') + u" b"_s, u"\n"_s + QString(42, u'a') + u"\nb"_s},
        {u"\n"_s + QString(41, u'a') + u" b"_s, u"\n"_s + QString(41, u'a') + u" b"_s},
        {word, word},                            // a long word is never split
        {word + u" tail"_s, word + u"\ntail"_s}, // but the blank after it breaks
    };
    for (const auto &c : cases)
        EXPECT_EQ(ReplyBuilder::wrapBody(c.text), c.expected) << testing::PrintToString(c.text);
}
