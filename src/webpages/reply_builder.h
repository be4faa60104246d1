#pragma once

#include <QString>

#include <functional>
#include <optional>

// What `ReplyOrForward` is asked to do; the numbers are the ones its callers pass.
enum class TransferMode {
    ReplyWithText = 0,
    ReplyWithoutText = 1,
    Forward = 2,
    SendAgain = 4,
    Mailto = 5,
    InsertTemplate = 10,
    ReadTemplate = 11,
};

// The modes a caller may name; any other number does nothing.
std::optional<TransferMode> transferModeFrom(int mode);

// The text rules of reply, forward and send again: what goes into the compose page's fields.
namespace ReplyBuilder {

// The values of one message on its way into the compose page.
struct MessageValues {
    QString to, cc, bcc, subject, body;
};

// A saved message's texts carry their caption ("Subject: Lunch"): everything up to and including
// the first ":" goes, and the rest is trimmed. A text without ":" stays as it is.
QString stripCaption(const QString &text);

// The previewed message's values for a reply, forward or send again, read through `elementText`
// (the text of the element with that id). Nothing when an element it needs is missing.
using ElementText = std::function<std::optional<QString>(const QString &id)>;
std::optional<MessageValues> fromSavedMessage(TransferMode mode, const ElementText &elementText);

// A reply's subject gets "RE: " and a forward's "FWD: ", even when it already has one.
QString subjectFor(TransferMode mode, const QString &subject);

// Breaks lines at the first blank once a line has reached column 43; words are never split.
QString wrapBody(const QString &text);
// Starts every line after a line feed with ">".
QString quoteBody(const QString &text);
// The Body field's value for the modes that fill it from a message (or empty it).
QString composeBody(TransferMode mode, const QString &body);
// Template insertion into a compose page open in the inbox pane keeps that page's body below.
enum class ComposeTarget { ComposePane, InboxPane };
QString templateBody(ComposeTarget target, const QString &templateBody, const QString &currentBody);

// The Yahoo rich-text area's markup for the body: the body's text escaped, and each ">" starting
// a new quoted line.
QString yahooRichText(const QString &body);

} // namespace ReplyBuilder
