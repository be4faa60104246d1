#pragma once

#include <QString>

#include <optional>

// The copy of a sent message kept from the compose page's form post.
namespace SentCapture {

struct SentCopy {
    QString to, cc, bcc, subject, body;
};

// The message a compose form post sends, or nothing when the post has no addressee. Both
// providers' field names are understood ("To"/"to", "Cc"/"cc", "Bcc"/"bcc", "Subj"/"subject",
// "Body"/"body"). A plain-text body is made ready for an HTML file: each line ends in "<br>".
std::optional<SentCopy> fromPost(const QString &postData);

// True when the body holds markup ("<div", "<p" or a closing tag) rather than plain text.
bool isHtmlBody(const QString &body);

} // namespace SentCapture
